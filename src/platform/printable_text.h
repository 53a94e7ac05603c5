// Text echoed in a message, shown so that it can neither act on a terminal nor flood it. The
// platform's failures quote their paths with it; the rest of the program quotes through
// model/quoting.h, which shows text the same way.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace sb {

// Names, paths and arguments echoed in a message are cut to this many bytes, with "…" after.
inline constexpr std::size_t kEchoedBytes = 400;

// A single-byte code page: the character each byte from 0x80 to 0xFF stands for, 0 for a
// byte that it leaves undefined.
using CodePageHighHalf = std::array<char32_t, 128>;

// `text`, UTF-8, with printable ASCII as it is; quote and backslash escaped; tab, line feed
// and carriage return as \t \n \r; every other byte below 32 and 127 as \xNN. A character
// above 127 is shown as itself when the output is read as UTF-8 (output_is_utf8) and it is
// visible; otherwise, like a byte that is not UTF-8, each of its bytes as \xNN. Invisible
// characters (the controls from U+0080 to U+009F, the no-break space, the soft hyphen, the
// zero-width and direction marks) are always escaped. Cut after `limit` bytes of the text
// (0: no limit), never inside a character that is shown, and marked with "…".
std::string printable_text(std::string_view text, std::size_t limit);

// The same for `text` in the single-byte code page `code_page`: a byte above 127 is shown as
// the character it stands for, or as \xNN when it stands for none, is invisible, or the
// output is not read as UTF-8.
std::string printable_text(std::string_view text, std::size_t limit,
                           const CodePageHighHalf& code_page);

// The same as the UTF-8 form in double quotes, cut after kEchoedBytes: how a message names a
// file or echoes what was typed.
std::string echoed(std::string_view text);

}  // namespace sb
