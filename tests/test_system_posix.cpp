// What the tests need from a POSIX system: running the real program (fork, limits, exec),
// process numbers, unnamed files.
#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "test_support.h"

namespace sb::test {
namespace {

constexpr uid_t kNobody = 65534;

// The program's messages show names as written only to an output read as UTF-8: the tests
// expect that whatever locale they are started in.
[[maybe_unused]] const bool kUtf8Locale = ::setenv("LC_ALL", "C.UTF-8", 1) == 0;

// The environment of the program: this one's, with LC_ALL set to `locale` when given.
std::vector<std::string> program_environment(const std::optional<std::string>& locale) {
  std::vector<std::string> entries;
  for (char** e = environ; *e != nullptr; ++e) {
    if (!locale || std::string_view(*e).substr(0, 7) != "LC_ALL=") entries.emplace_back(*e);
  }
  if (locale) entries.push_back("LC_ALL=" + *locale);
  return entries;
}

// In the child, before exec: applies the limits; false when one cannot be applied.
bool apply_limits(const RunLimits& limits) {
  if (limits.file_size) {
    const rlimit limit{static_cast<rlim_t>(*limits.file_size),
                       static_cast<rlim_t>(*limits.file_size)};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return false;
  }
  if (limits.open_files) {
    const rlimit limit{static_cast<rlim_t>(*limits.open_files),
                       static_cast<rlim_t>(*limits.open_files)};
    if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) return false;
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
  // Made before the fork: the child only execs.
  std::vector<std::string> environment = program_environment(limits.locale);
  std::vector<char*> envp;
  for (auto& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    if (::chdir(cwd.c_str()) != 0) ::_exit(127);
    if (!std::freopen(out_path.c_str(), "w", stdout)) ::_exit(127);
    if (!std::freopen(err_path.c_str(), "w", stderr)) ::_exit(127);
    if (!std::freopen("/dev/null", "r", stdin)) ::_exit(127);
    if (!apply_limits(limits)) ::_exit(127);
    ::execve(program.c_str(), argv.data(), envp.data());
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

long current_process_id() {
  return ::getpid();
}

long running_process_id() {
  return 1;  // init
}

long ended_process_id() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

bool unnamed_files_supported(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR, 0600);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

}  // namespace sb::test
