#include "reader/text_match.h"

#include <algorithm>

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
  const auto it = std::search(field.begin(), field.end(), word.begin(), word.end(),
                              [](char a, char b) { return lower(a) == lower(b); });
  return it != field.end() || word.empty();
}

}  // namespace sb
