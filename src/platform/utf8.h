// Reading and writing UTF-8 one character at a time: the command line, file names and the
// program's messages are UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sb {

// Decodes the character that starts at byte `i` of `text` into `c`; returns its length in
// bytes, or 0 when the bytes there are not well-formed UTF-8 (overlong forms, surrogates and
// values above U+10FFFF included).
std::size_t utf8_character(std::string_view text, std::size_t i, char32_t& c);

// Appends the UTF-8 bytes of the character `c` (at most U+10FFFF).
void append_utf8(std::string& out, char32_t c);

}  // namespace sb
