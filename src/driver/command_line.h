// The program's command line: parses the arguments, runs the chosen mode and turns its
// outcome into an exit status (0 success, 1 a recorded fault or the error stop, 2 a usage
// error or a platform failure).
#pragma once

#include <string>
#include <vector>

namespace sb {

// `args` are the arguments after the program's own name, in UTF-8.
int run_command_line(const std::vector<std::string>& args);

}  // namespace sb
