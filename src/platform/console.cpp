#include "platform/console.h"

#include <cstdio>

namespace sb {

void write_error_line(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

}  // namespace sb
