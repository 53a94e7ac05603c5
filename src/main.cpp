// scenario_builder: all the work is done by the library; this only hands over the arguments.
#include <string>
#include <vector>

#include "driver/command_line.h"

#ifdef _WIN32
#include "platform/wide_text_win32.h"

// Windows hands the arguments over in UTF-16, so that any name works whatever the code page.
int wmain(int argc, wchar_t** argv) {
  return sb::run_command_line(sb::utf8_arguments(argc, argv));
}
#else
int main(int argc, char** argv) {
  return sb::run_command_line(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
