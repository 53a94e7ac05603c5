// scenario_builder: all the work is done by the library; this only hands over the arguments.
#include "driver/command_line.h"

int main(int argc, char** argv) {
  return sb::run_command_line(argc, argv);
}
