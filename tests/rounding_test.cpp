// The rounding used for every conversion of a fraction to an integer: halves to even.
#include "model/rounding.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sb::test {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  struct Case {
    double q;
    double expected;
  };
  const Case cases[] = {{0.5, 0},      {1.5, 2},     {2.5, 2},        {3.5, 4},    {-0.5, 0},
                        {-1.5, -2},    {-2.5, -2},   {-3.5, -4},      {2.4999, 2}, {2.5001, 3},
                        {-2.5001, -3}, {498.5, 498}, {293.0 + 1, 294}};
  for (const Case& c : cases) EXPECT_EQ(round_half_even(c.q), c.expected) << c.q;
}

TEST(Rounding, ToInt32ChecksTheRange) {
  EXPECT_EQ(round_to_int32(2147483647.4), 2147483647);
  EXPECT_EQ(round_to_int32(-2147483648.5), -2147483648);  // the half goes to the even side
  EXPECT_FALSE(round_to_int32(2147483647.5).has_value());
  EXPECT_FALSE(round_to_int32(-2147483649.0).has_value());
  EXPECT_FALSE(round_to_int32(std::nan("")).has_value());
}

}  // namespace
}  // namespace sb::test
