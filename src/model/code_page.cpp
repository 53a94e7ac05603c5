#include "model/code_page.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "platform/utf8.h"

namespace sb {
namespace {

// The characters of Windows-1252 from 0x80 up: 0x80 to 0x9F its own (0 where it defines
// none), 0xA0 to 0xFF those of Latin-1.
constexpr CodePageHighHalf kHighHalf = [] {
  CodePageHighHalf half{0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  for (char32_t c = 0xA0; c <= 0xFF; ++c) half[c - 0x80] = c;
  return half;
}();

std::optional<char> windows1252_byte(char32_t c) {
  if (c < 0x80) return static_cast<char>(c);
  for (std::size_t k = 0; k < kHighHalf.size(); ++k) {
    if (kHighHalf[k] != 0 && kHighHalf[k] == c) return static_cast<char>(0x80 + k);
  }
  return std::nullopt;
}

}  // namespace

const CodePageHighHalf& windows1252_high_half() {
  return kHighHalf;
}

char32_t windows1252_character(char byte) {
  const auto b = static_cast<unsigned char>(byte);
  return b < 0x80 ? b : kHighHalf[b - 0x80];
}

bool is_utf8(std::string_view text) {
  char32_t c = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = utf8_character(text, i, c);
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
    i += utf8_character(text, i, c);
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
