// Texts joined at compile time: the numbers they write and the joins.
#include "model/fixed_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace sb {
namespace {

template <std::uint64_t value>
void expect_decimal() {
  constexpr auto text = decimal_text<value>();
  EXPECT_EQ(text.view(), std::to_string(value));
  EXPECT_EQ(text.chars[text.size()], '\0');
}

TEST(FixedText, DecimalTextWritesAsToStringDoes) {
  expect_decimal<0>();
  expect_decimal<7>();
  expect_decimal<10>();
  expect_decimal<50>();
  expect_decimal<7000>();
  expect_decimal<1000000>();
  expect_decimal<UINT64_MAX>();
}

TEST(FixedText, JoinedTextHoldsThePartsInOrder) {
  EXPECT_EQ((joined_text<"a multiple of ", decimal_text<50>(), " m">), "a multiple of 50 m");
  EXPECT_EQ((joined_text<decimal_text<1>(), "", decimal_text<20>()>), "120");
  EXPECT_EQ((joined_text<"alone">), "alone");
}

}  // namespace
}  // namespace sb
