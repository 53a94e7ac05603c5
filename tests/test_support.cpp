#include "test_support.h"

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "driver/builtin_run.h"

namespace sb::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "sb_test_XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  // Make everything writable again so that tests that took permissions away clean up.
  for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::end(it);
       it.increment(ec)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

std::vector<std::string> TempDir::entries() const {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(path_)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

std::string read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void write_bytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::uint64_t digest(std::string_view bytes, std::uint64_t h) {
  for (const char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 0x100000001b3u;
  }
  return h;
}

FolderState folder_state(const std::string& folder) {
  FolderState state;
  for (auto it = fs::recursive_directory_iterator(folder); it != fs::end(it); ++it) {
    const std::string name = it->path().lexically_relative(folder).string();
    const fs::file_status st = it->symlink_status();
    if (fs::is_symlink(st)) {
      state[name] = "link -> " + fs::read_symlink(it->path()).string();
    } else if (fs::is_directory(st)) {
      state[name] = "folder";
    } else if (fs::is_regular_file(st)) {
      // Read in blocks: a test may leave a file of tens of megabytes.
      std::ifstream in(it->path(), std::ios::binary);
      std::uint64_t h = digest("");
      std::uint64_t size = 0;
      std::vector<char> block(1 << 16);
      while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
        const auto n = static_cast<std::size_t>(in.gcount());
        h = digest(std::string_view(block.data(), n), h);
        size += n;
      }
      state[name] = "file " + std::to_string(size) + " " + std::to_string(h);
    } else if (fs::is_fifo(st)) {
      state[name] = "fifo";
    } else {
      state[name] = "other";
    }
  }
  return state;
}

std::string describe(const FolderState& state) {
  std::string text;
  for (const auto& [name, what] : state) text += "  " + name + ": " + what + "\n";
  return text;
}

bool exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

namespace {

constexpr uid_t kNobody = 65534;

// In the child, before exec: applies the limits; false when one cannot be applied.
bool apply_limits(const RunLimits& limits) {
  if (limits.file_size) {
    const rlimit limit{static_cast<rlim_t>(*limits.file_size),
                       static_cast<rlim_t>(*limits.file_size)};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return false;
  }
  if (limits.unprivileged && ::geteuid() == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

RunningProgram::RunningProgram(const std::vector<std::string>& args, const std::string& cwd,
                               const std::string& program, const RunLimits& limits)
    : timeout_(limits.timeout) {
  const std::string out_path = capture_.file("out");
  const std::string err_path = capture_.file("err");
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    if (::chdir(cwd.c_str()) != 0) ::_exit(127);
    if (!std::freopen(out_path.c_str(), "w", stdout)) ::_exit(127);
    if (!std::freopen(err_path.c_str(), "w", stderr)) ::_exit(127);
    if (!std::freopen("/dev/null", "r", stdin)) ::_exit(127);
    if (!apply_limits(limits)) ::_exit(127);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
}

RunningProgram::~RunningProgram() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
}

bool RunningProgram::ended() const {
  if (pid_ <= 0) return true;
  siginfo_t info{};
  return ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
         info.si_pid == pid_;
}

void RunningProgram::send(int sig) {
  if (pid_ > 0) ::kill(pid_, sig);
}

ProgramResult RunningProgram::wait() {
  ProgramResult r;
  if (pid_ <= 0) return r;
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                            std::chrono::duration<double>(timeout_));
  int wstatus = 0;
  for (;;) {
    const pid_t done = ::waitpid(pid_, &wstatus, WNOHANG);
    if (done == pid_) break;
    if (done < 0 && errno != EINTR) throw std::runtime_error("waitpid failed");
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &wstatus, 0);
      r.timed_out = true;
      break;
    }
    ::usleep(500);
  }
  pid_ = -1;
  r.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  r.signal = WIFSIGNALED(wstatus) ? WTERMSIG(wstatus) : 0;
  r.out = read_bytes(capture_.file("out"));
  r.err = read_bytes(capture_.file("err"));
  return r;
}

ProgramResult run_program(const std::vector<std::string>& args, const std::string& cwd,
                          const std::string& program, const RunLimits& limits) {
  RunningProgram run(args, cwd, program, limits);
  return run.wait();
}

Scenario builtin_scenario(const std::string& folder) {
  Scenario s;
  set_builtin_names(s, folder);
  return s;
}

std::string crlf(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  return text;
}

}  // namespace sb::test
