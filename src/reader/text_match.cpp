#include "reader/text_match.h"

namespace sb {
namespace {

char lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool contains(std::string_view field, std::string_view word) {
  return field.find(word) != std::string_view::npos;
}

bool contains_ignoring_case(std::string_view field, std::string_view word) {
  if (word.empty()) return true;
  if (word.size() > field.size()) return false;
  const char first = lower(word[0]);
  const std::size_t last_start = field.size() - word.size();
  for (std::size_t i = 0; i <= last_start; ++i) {
    if (lower(field[i]) != first) continue;
    std::size_t j = 1;
    while (j < word.size() && lower(field[i + j]) == lower(word[j])) ++j;
    if (j == word.size()) return true;
  }
  return false;
}

}  // namespace sb
