// Text in the simulator's single-byte code page, Windows-1252, in which the compiled files
// store names and the check codes sum their characters, and its meeting with UTF-8, in which
// command lines and text editors often hand names over.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/printable_text.h"

namespace sb {

// The characters the bytes from 0x80 up stand for in Windows-1252, 0 for the five bytes it
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D). Every name and field of the text files and
// the compiled files is shown to the author through this one table.
const CodePageHighHalf& windows1252_high_half();

// The character a Windows-1252 byte stands for; 0 for an undefined byte.
char32_t windows1252_character(char byte);

// True when `text` is well-formed UTF-8 (plain ASCII included).
bool is_utf8(std::string_view text);

// True when `text` holds bytes above 127 and they all form well-formed UTF-8: text that was
// saved as UTF-8 rather than in the single-byte code page.
bool holds_utf8_characters(std::string_view text);

// The result of taking a name into the single-byte code page.
struct SingleByteText {
  std::string bytes;
  // The first character the code page cannot hold; the bytes are then unusable.
  std::optional<char32_t> unmappable;
};

// A name as the compiled files store it: well-formed UTF-8 with characters above 127 is
// converted to Windows-1252; anything else (ASCII, or bytes that are not UTF-8 and so are
// taken as single-byte text already) stays as it is.
SingleByteText to_single_byte(std::string_view text);

// The lower-case form of a Windows-1252 byte: ASCII letters and the accented capitals of the
// code page (À to Þ but ×, Š, Œ, Ž, Ÿ) become their small letters; other bytes stay.
char single_byte_lower(char byte);

// "U+00E0" style name of a character, for messages.
std::string code_point_name(char32_t c);

}  // namespace sb
