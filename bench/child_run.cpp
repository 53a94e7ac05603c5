#include "child_run.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace sb::bench {
namespace {

double ms(const timeval& t) {
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

}  // namespace

ChildCost run_child(const std::vector<std::string>& argv, const std::string& folder) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    const int null = ::open("/dev/null", O_RDWR);
    if (null < 0 || ::dup2(null, 1) < 0 || ::dup2(null, 2) < 0 || ::chdir(folder.c_str()) != 0) {
      ::_exit(127);
    }
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  if (::wait4(pid, &status, 0, &usage) != pid) throw std::runtime_error("wait4 failed");
  const auto end = std::chrono::steady_clock::now();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error(argv[0] + " did not end with status 0 in " + folder);
  }
  ChildCost cost;
  cost.cpu_ms = ms(usage.ru_utime) + ms(usage.ru_stime);
  cost.wall_ms = std::chrono::duration<double, std::milli>(end - start).count();
  cost.peak_rss_kib = usage.ru_maxrss;
  return cost;
}

}  // namespace sb::bench
