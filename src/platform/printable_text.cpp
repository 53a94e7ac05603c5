#include "platform/printable_text.h"

namespace sb {
namespace {

constexpr char kHex[] = "0123456789abcdef";

}  // namespace

std::string printable_text(std::string_view text, std::size_t limit) {
  const bool cut = limit > 0 && text.size() > limit;
  if (cut) text = text.substr(0, limit);
  std::string out;
  out.reserve(text.size() + 2);
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c >= 0x20 && c < 0x7F) {
      out += ch;
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    }
  }
  if (cut) out += "\xE2\x80\xA6";  // "…"
  return out;
}

std::string echoed(std::string_view text) {
  return "\"" + printable_text(text, kEchoedBytes) + "\"";
}

}  // namespace sb
