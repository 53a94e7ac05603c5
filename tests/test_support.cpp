#include "test_support.h"

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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

ProgramResult run_program(const std::vector<std::string>& args, const std::string& cwd,
                          const std::string& program, const RunLimits& limits) {
  TempDir capture;
  const std::string out_path = capture.file("out");
  const std::string err_path = capture.file("err");
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
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
  int wstatus = 0;
  ::waitpid(pid, &wstatus, 0);
  ProgramResult r;
  r.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  r.out = read_bytes(out_path);
  r.err = read_bytes(err_path);
  return r;
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
