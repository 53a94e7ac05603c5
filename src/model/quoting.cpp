#include "model/quoting.h"

#include "model/code_page.h"
#include "platform/printable_text.h"

namespace sb {

namespace {

constexpr char kHex[] = "0123456789abcdef";

void append_json_escape(std::string& out, char32_t c) {
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
}

}  // namespace

std::string printable(std::string_view text, std::size_t limit) {
  return printable_text(text, limit, windows1252_high_half());
}

std::string quoted(std::string_view text, std::size_t limit) {
  return "\"" + printable(text, limit) + "\"";
}

std::string printable_utf8(std::string_view text, std::size_t limit) {
  return printable_text(text, limit);
}

std::string quoted_utf8(std::string_view text, std::size_t limit) {
  return "\"" + printable_utf8(text, limit) + "\"";
}

std::string json_quoted(std::string_view text, HighBytes high) {
  const bool keep_high = high == HighBytes::kUtf8IfValid && is_utf8(text);
  std::string out = "\"";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20 || c == 0x7F) {
      append_json_escape(out, c);
    } else if (c >= 0x80 && !keep_high) {
      const char32_t decoded = windows1252_character(ch);
      append_json_escape(out, decoded != 0 ? decoded : c);
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

}  // namespace sb
