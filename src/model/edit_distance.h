// How far apart two words are, for "did you mean" suggestions.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace sb {

// The edit distance between `a` and `b` (insertions, deletions, replacements and swaps of two
// neighbouring characters, each 1), ASCII case ignored. Gives up above `limit`: any distance
// above it is returned as limit + 1.
std::size_t edit_distance(std::string_view a, std::string_view b, std::size_t limit);

// Of `names`, the one nearest `word` within an edit distance of 2 and of less than half the
// word's length (the first of equally near ones); empty when none is that near, or `word` is
// itself one of them.
std::string_view closest_word(std::string_view word, std::span<const std::string_view> names);

}  // namespace sb
