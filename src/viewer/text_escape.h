// Escaping of names and numbers for the listings. Names in the compiled files are single-byte
// text in the Latin-1 character set and may hold any byte; the listings must show every byte
// without letting it act on the terminal or break the output's syntax.
#pragma once

#include <string>
#include <string_view>

namespace sb {

// A JSON string literal, quotes included: quote, backslash and control bytes escaped, and
// bytes 0x80 to 0xFF as the Latin-1 characters they stand for (\u00XX), so the result is
// plain ASCII and valid whatever the bytes.
std::string json_string(std::string_view bytes);

// A quoted name for a text listing, shown as messages quote fields (whole, however long):
// printable ASCII as it is, quote and backslash escaped, tab, line feed and carriage return as
// \t \n \r, other control bytes and bytes from 0x7F up as \xNN.
std::string quoted_name(std::string_view bytes);

// A real number for a text listing: six decimals, or the shortest exact form for very large
// numbers; "nan", "inf" or "-inf" for the values that are not finite.
std::string text_real(double v);

// A real number for JSON: the shortest form that reads back as the same double; null for the
// values that are not finite (JSON has no literal for them).
std::string json_real(double v);

}  // namespace sb
