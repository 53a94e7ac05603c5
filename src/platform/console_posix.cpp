#include <unistd.h>

#include "platform/console.h"

namespace sb {

void show_status(std::string_view text) {
  write_error_line(text);
}

void close_status() {}

void use_binary_standard_streams() {}

void show_fatal(std::string_view text) {
  write_error_line(text);
}

bool standard_error_is_terminal() {
  return ::isatty(STDERR_FILENO) == 1;
}

}  // namespace sb
