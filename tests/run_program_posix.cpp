// Running the real program on POSIX systems: fork, limits, exec.
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

#include "test_support.h"

namespace sb::test {
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

}  // namespace sb::test
