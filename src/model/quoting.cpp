#include "model/quoting.h"

#include "model/code_page.h"
#include "platform/printable_text.h"

namespace sb {

namespace {

constexpr char kHex[] = "0123456789abcdef";

}  // namespace

std::string printable(std::string_view text, std::size_t limit) {
  return printable_text(text, limit);
}

std::string quoted(std::string_view text, std::size_t limit) {
  return "\"" + printable(text, limit) + "\"";
}

std::string json_quoted(std::string_view text, HighBytes high) {
  const bool keep_high = high == HighBytes::kUtf8IfValid && is_utf8(text);
  std::string out = "\"";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20 || c == 0x7F || (c >= 0x80 && !keep_high)) {
      out += "\\u00";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

}  // namespace sb
