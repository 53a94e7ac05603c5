// Running a program as a child process and measuring what it cost: the CPU time (user and
// system) and the peak resident memory of that process alone, and the wall time.
#pragma once

#include <string>
#include <vector>

namespace sb::bench {

struct ChildCost {
  double cpu_ms = 0;   // user + system time of the child
  double wall_ms = 0;  // from the fork to the end of the wait
  long peak_rss_kib = 0;
};

// Runs `argv` (argv[0] is the program's path) in `folder`, with standard output and error
// sent to /dev/null. Throws std::runtime_error when the program cannot be run or does not
// exit with status 0.
ChildCost run_child(const std::vector<std::string>& argv, const std::string& folder);

}  // namespace sb::bench
