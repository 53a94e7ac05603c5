// Text echoed in a message, shown so that it can neither act on a terminal nor flood it. The
// platform's failures quote their paths with it; the rest of the program quotes through
// model/quoting.h, which shows text the same way.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sb {

// Names, paths and arguments echoed in a message are cut to this many bytes, with "…" after.
inline constexpr std::size_t kEchoedBytes = 400;

// `text` with printable ASCII as it is; quote and backslash escaped; tab, line feed and
// carriage return as \t \n \r; every other byte below 32, 127 and every byte above 127 as
// \xNN. Cut after `limit` bytes of the text, marked with "…" (0: no limit).
std::string printable_text(std::string_view text, std::size_t limit);

// The same in double quotes, cut after kEchoedBytes: how a message names a file or echoes
// what was typed.
std::string echoed(std::string_view text);

}  // namespace sb
