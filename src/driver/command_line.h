// The program's command line: parses the arguments, runs the chosen mode and turns its
// outcome into an exit status (0 success, 1 a recorded fault or the error stop, 2 a usage
// error or a platform failure).
#pragma once

namespace sb {

int run_command_line(int argc, char** argv);

}  // namespace sb
