// How far apart two words are, for "did you mean" suggestions.
#pragma once

#include <cstddef>
#include <string_view>

namespace sb {

// The edit distance between `a` and `b` (insertions, deletions, replacements and swaps of two
// neighbouring characters, each 1), ASCII case ignored. Gives up above `limit`: any distance
// above it is returned as limit + 1.
std::size_t edit_distance(std::string_view a, std::string_view b, std::size_t limit);

}  // namespace sb
