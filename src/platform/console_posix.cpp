#include <unistd.h>

#include <cstdio>

#include "platform/console.h"

namespace sb {
namespace {

void write_line(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

}  // namespace

void show_status(std::string_view text) {
  write_line(text);
}

void close_status() {}

void show_fatal(std::string_view text) {
  write_line(text);
}

bool standard_error_is_terminal() {
  return ::isatty(STDERR_FILENO) == 1;
}

}  // namespace sb
