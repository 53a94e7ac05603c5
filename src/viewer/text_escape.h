// Escaping of names and numbers for the listings. Names in the compiled files are single-byte
// text in the simulator's code page, Windows-1252, and may hold any byte; the listings show
// each as the character the simulator shows, and every byte without letting it act on the
// terminal or break the output's syntax.
#pragma once

#include <string>
#include <string_view>

namespace sb {

// A JSON string literal, quotes included: quote, backslash and control bytes escaped, and
// bytes 0x80 to 0xFF as the Windows-1252 characters they stand for (\uXXXX; a byte that the
// code page leaves undefined as \u00XX), so the result is plain ASCII and valid whatever the
// bytes.
std::string json_string(std::string_view bytes);

// A quoted name for a text listing, shown as messages quote fields (whole, however long):
// printable ASCII as it is, quote and backslash escaped, tab, line feed and carriage return as
// \t \n \r, other control bytes and 0x7F as \xNN, bytes above it as the Windows-1252
// characters they stand for on an output read as UTF-8, as \xNN elsewhere.
std::string quoted_name(std::string_view bytes);

// A real number for a text listing: six decimals, or the shortest exact form for very large
// numbers; "nan", "inf" or "-inf" for the values that are not finite.
std::string text_real(double v);

// A real number for JSON: the shortest form that reads back as the same double; null for the
// values that are not finite (JSON has no literal for them).
std::string json_real(double v);

}  // namespace sb
