#include "platform/console.h"

#include <unistd.h>

#include <cstdio>

namespace sb {

void show_status(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

}  // namespace sb

namespace sb {

bool standard_error_is_terminal() {
  return ::isatty(STDERR_FILENO) == 1;
}

}  // namespace sb
