#include "viewer/svg_text.h"

#include <cmath>
#include <cstdio>

#include "model/code_page.h"

namespace sb {

std::string xml_text(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size());
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '&':
        out += "&amp;";
        continue;
      case '<':
        out += "&lt;";
        continue;
      case '>':
        out += "&gt;";
        continue;
      case '"':
        out += "&quot;";
        continue;
      case '\'':
        out += "&apos;";
        continue;
      default:
        break;
    }
    // The five bytes that Windows-1252 leaves undefined are drawn as control bytes are.
    const char32_t shown = c >= 0x80 ? windows1252_character(ch) : c;
    if (c >= 0x80 && shown != 0) {
      out += "&#x";
      int shift = 20;
      while (shift > 4 && (shown >> shift) == 0) shift -= 4;
      for (; shift >= 0; shift -= 4) out += kHex[(shown >> shift) & 0xF];
      out += ';';
    } else if (c < 0x20 || c >= 0x80) {
      out += "&#xFFFD;";
    } else {
      out += ch;
    }
  }
  return out;
}

std::string svg_number(double v) {
  if (!std::isfinite(v)) return "0";
  // Everything drawn lies inside the view box; the clamp only keeps the text short.
  v = std::fmax(-1e9, std::fmin(1e9, v));
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.1f", v);
  std::string s = buffer;
  if (s == "-0.0") s = "0.0";
  return s;
}

}  // namespace sb
