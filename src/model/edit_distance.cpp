#include "model/edit_distance.h"

#include <algorithm>
#include <vector>

namespace sb {
namespace {

char lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::size_t edit_distance(std::string_view a, std::string_view b, std::size_t limit) {
  if (a.size() > b.size() + limit || b.size() > a.size() + limit) return limit + 1;
  std::vector<std::size_t> before(b.size() + 1), previous(b.size() + 1), current(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    current[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const bool same = lower(a[i - 1]) == lower(b[j - 1]);
      current[j] =
          std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (same ? 0 : 1)});
      if (i > 1 && j > 1 && lower(a[i - 1]) == lower(b[j - 2]) &&
          lower(a[i - 2]) == lower(b[j - 1])) {
        current[j] = std::min(current[j], before[j - 2] + 1);
      }
    }
    before.swap(previous);
    previous.swap(current);
  }
  return std::min(previous[b.size()], limit + 1);
}

std::string_view closest_word(std::string_view word, std::span<const std::string_view> names) {
  constexpr std::size_t kLimit = 2;
  std::string_view best;
  std::size_t best_distance = kLimit + 1;
  for (const std::string_view name : names) {
    if (name == word) return {};
    const std::size_t d = edit_distance(word, name, kLimit);
    // A short word is near too many names to say which one was meant.
    if (d < best_distance && 2 * d < word.size()) best = name, best_distance = d;
  }
  return best;
}

}  // namespace sb
