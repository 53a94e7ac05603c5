#include "model/code_page.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace sb {
namespace {

// Windows-1252 bytes 0x80 to 0x9F; 0 where the code page defines no character.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::size_t decode_utf8(std::string_view s, std::size_t i, char32_t& c) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  std::size_t n = 0;
  char32_t min = 0;
  if (b0 < 0x80) {
    c = b0;
    return 1;
  } else if ((b0 & 0xE0) == 0xC0) {
    n = 2, c = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    n = 3, c = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    n = 4, c = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    c = (c << 6) | (b & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return n;
}

std::optional<char> windows1252_byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t k = 0; k < kHighControls.size(); ++k) {
    if (kHighControls[k] != 0 && kHighControls[k] == c) return static_cast<char>(0x80 + k);
  }
  return std::nullopt;
}

char32_t windows1252_character(char byte) {
  const auto b = static_cast<unsigned char>(byte);
  if (b >= 0x80 && b < 0xA0 && kHighControls[b - 0x80] != 0) return kHighControls[b - 0x80];
  return b;
}

bool is_utf8(std::string_view text) {
  char32_t c = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = decode_utf8(text, i, c);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

bool holds_utf8_characters(std::string_view text) {
  bool high = false;
  for (const char b : text) high = high || static_cast<unsigned char>(b) >= 0x80;
  return high && is_utf8(text);
}

SingleByteText to_single_byte(std::string_view text) {
  SingleByteText result;
  if (!holds_utf8_characters(text)) {
    result.bytes = text;
    return result;
  }
  char32_t c = 0;
  for (std::size_t i = 0; i < text.size();) {
    i += decode_utf8(text, i, c);
    const auto byte = windows1252_byte(c);
    if (!byte) {
      result.unmappable = c;
      return result;
    }
    result.bytes += *byte;
  }
  return result;
}

char single_byte_lower(char byte) {
  const auto b = static_cast<unsigned char>(byte);
  if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) {
    return static_cast<char>(b + 0x20);
  }
  if (b == 0x8A || b == 0x8C || b == 0x8E) return static_cast<char>(b + 0x10);
  if (b == 0x9F) return static_cast<char>(0xFF);
  return byte;
}

std::string code_point_name(char32_t c) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
  return text;
}

}  // namespace sb
