// Texts joined at compile time, for constant tables whose texts name a number the program
// defines elsewhere (the cell length in a fault's message): the number is written once, and
// the table stays a table of constants.
//
//   joined_text<"not a multiple of ", decimal_text<kCellLength>()>  ->  "not a multiple of 50"
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace sb {

// N characters held by value, usable as a template argument.
template <std::size_t N>
struct FixedText {
  char chars[N + 1] = {};

  constexpr FixedText() = default;
  constexpr FixedText(const char (&text)[N + 1]) {
    for (std::size_t i = 0; i <= N; ++i) chars[i] = text[i];
  }
  static constexpr std::size_t size() { return N; }
  constexpr std::string_view view() const { return {chars, N}; }
};
template <std::size_t M>
FixedText(const char (&)[M]) -> FixedText<M - 1>;

// The number of decimal digits of `value`.
constexpr std::size_t decimal_width(std::uint64_t value) {
  std::size_t width = 1;
  for (std::uint64_t rest = value / 10; rest != 0; rest /= 10) ++width;
  return width;
}

// `value` written in decimal, as std::to_string writes it.
template <std::uint64_t value>
constexpr FixedText<decimal_width(value)> decimal_text() {
  FixedText<decimal_width(value)> text;
  std::uint64_t rest = value;
  for (std::size_t i = decimal_width(value); i-- > 0; rest /= 10) {
    text.chars[i] = static_cast<char>('0' + rest % 10);
  }
  return text;
}

// The parts one after the other, kept for the whole run.
template <FixedText... parts>
inline constexpr auto kJoinedText = [] {
  FixedText<(parts.size() + ...)> text;
  std::size_t at = 0;
  for (std::string_view part : {parts.view()...}) {
    for (char c : part) text.chars[at++] = c;
  }
  return text;
}();

template <FixedText... parts>
inline constexpr std::string_view joined_text = kJoinedText<parts...>.view();

}  // namespace sb
