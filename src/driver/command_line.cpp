#include "driver/command_line.h"

#include <csignal>
#include <cstdio>
#include <string>

#include "driver/builtin_run.h"
#include "driver/error_stop.h"
#include "platform/files.h"
#include "platform/platform_error.h"

namespace sb {

int run_command_line(int /*argc*/, char** /*argv*/) {
  // A write beyond the file size limit must fail with an error, not kill the process.
  std::signal(SIGXFSZ, SIG_IGN);
  try {
    Scenario s;
    run_builtin(s, program_folder());
    return 0;
  } catch (const ErrorStop& stop) {
    std::fprintf(stderr, "%s\n", stop.what());
    return 1;
  } catch (const PlatformError& e) {
    std::fprintf(stderr, "scenario_builder: %s\n", e.what());
    return 2;
  }
}

}  // namespace sb
