#include <cstdlib>
#include <string_view>

#include "platform/output_encoding.h"

namespace sb {
namespace {

// "UTF-8" or "utf8", in any case, in a locale name such as "it_IT.UTF-8" or "C.utf8".
bool names_utf8(std::string_view locale) {
  std::string_view::size_type dot = locale.find('.');
  if (dot == std::string_view::npos) return false;
  std::string_view charset = locale.substr(dot + 1);
  charset = charset.substr(0, charset.find('@'));
  std::string_view letters = "utf8";
  std::size_t k = 0;
  for (const char c : charset) {
    if (c == '-') continue;
    const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    if (k == letters.size() || lower != letters[k]) return false;
    ++k;
  }
  return k == letters.size();
}

}  // namespace

bool output_is_utf8() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return names_utf8(value);
  }
  return false;
}

}  // namespace sb
