// The route matrix in memory: what each element reads back after sets in any order, and the
// file round trip of every mix of element types.
#include "model/route_matrix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "format/route_matrix_file.h"

namespace sb {
namespace {

struct Set {
  std::int32_t metre;
  int component;
  ElementTag tag;
  double value;
};

void apply(RouteMatrix& m, const Set& s) {
  if (s.tag == ElementTag::kInt16) {
    m.set_int16(s.metre, s.component, static_cast<std::int16_t>(s.value));
  } else {
    m.set_float64(s.metre, s.component, s.value);
  }
}

// Every element of `m` is what the sets made it (the last set of a metre wins, the others are
// empty), read one by one and in a walk.
void expect_elements(const RouteMatrix& m, const std::vector<Set>& sets) {
  std::map<std::pair<std::int32_t, int>, RouteElement> wanted;
  for (const Set& s : sets) wanted[{s.metre, s.component}] = {s.tag, s.value};
  for (int c = 0; c < 2; ++c) {
    std::size_t ints = 0;
    std::size_t floats = 0;
    for (std::int32_t k = 0; k <= m.upper(); ++k) {
      const auto found = wanted.find({k, c});
      const RouteElement e = found == wanted.end() ? RouteElement{} : found->second;
      ints += e.tag == ElementTag::kInt16 ? 1 : 0;
      floats += e.tag == ElementTag::kFloat64 ? 1 : 0;
      ASSERT_EQ(m.tag(k, c), e.tag) << "metre " << k << ", component " << c;
      ASSERT_EQ(std::bit_cast<std::uint64_t>(m.number(k, c)), std::bit_cast<std::uint64_t>(e.value))
          << "metre " << k << ", component " << c << ": " << m.number(k, c);
      ASSERT_EQ(m.get(k, c).tag, e.tag);
    }
    EXPECT_EQ(m.int16_count(c), ints);
    EXPECT_EQ(m.float64_count(c), floats);
    std::int32_t k = 0;
    m.for_each(c, [&](ElementTag tag, double value) {
      ASSERT_EQ(tag, m.tag(k, c)) << "walk, metre " << k;
      ASSERT_EQ(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(m.number(k, c)));
      ++k;
    });
    EXPECT_EQ(k, m.upper() + 1);
  }
}

// Sets of both types over both components, across the 64-metre words of the matrix.
std::vector<Set> mixed_sets() {
  return {
      {0, 0, ElementTag::kInt16, -32768},  {0, 1, ElementTag::kFloat64, 0.5},
      {1, 0, ElementTag::kFloat64, -0.0},  {62, 1, ElementTag::kInt16, 7},
      {63, 0, ElementTag::kInt16, 32767},  {64, 0, ElementTag::kFloat64, 1e300},
      {64, 1, ElementTag::kFloat64, -2.5}, {65, 1, ElementTag::kInt16, -1},
      {127, 0, ElementTag::kInt16, 12},    {128, 1, ElementTag::kFloat64, 3.25},
      {190, 0, ElementTag::kFloat64, 9.0}, {199, 1, ElementTag::kInt16, 0},
  };
}

TEST(RouteMatrix, ElementsReadBackWhateverTheOrderOfTheSets) {
  const std::vector<Set> in_order = mixed_sets();
  std::vector<Set> reversed(in_order.rbegin(), in_order.rend());
  std::vector<Set> shuffled;
  std::mt19937 random(20261211);
  for (int n = 0; n < 600; ++n) {
    const auto metre = static_cast<std::int32_t>(random() % 300);
    const int component = static_cast<int>(random() % 2);
    const bool is_int = random() % 2 == 0;
    const double value = is_int ? static_cast<double>(static_cast<std::int16_t>(random()))
                                : static_cast<double>(random()) / 7.0;
    shuffled.push_back(
        {metre, component, is_int ? ElementTag::kInt16 : ElementTag::kFloat64, value});
  }
  struct Case {
    std::string name;
    std::int32_t upper;
    std::vector<Set> sets;
  };
  const std::vector<Case> cases = {
      {"increasing metres", 199, in_order},
      {"decreasing metres", 199, reversed},
      {"random metres, many overwritten, types changing", 299, shuffled},
      {"a value overwritten in place",
       70,
       {{10, 0, ElementTag::kFloat64, 1.0},
        {69, 0, ElementTag::kFloat64, 2.0},
        {10, 0, ElementTag::kFloat64, 3.0}}},
      {"an early element changing type under later ones",
       200,
       {{5, 1, ElementTag::kFloat64, 1.5},
        {70, 1, ElementTag::kFloat64, 2.5},
        {150, 1, ElementTag::kInt16, 4},
        {5, 1, ElementTag::kInt16, -3},
        {70, 1, ElementTag::kInt16, 8},
        {5, 1, ElementTag::kFloat64, 0.25}}},
      {"only the middle set: the ends stay empty",
       129,
       {{64, 0, ElementTag::kInt16, 1}, {65, 1, ElementTag::kFloat64, 2.0}}},
      {"a single metre", 0, {{0, 1, ElementTag::kInt16, 5}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RouteMatrix m;
    m.allocate(c.upper);
    for (const Set& s : c.sets) apply(m, s);
    expect_elements(m, c.sets);
    // The same elements set once each in increasing order make the same matrix.
    std::map<std::pair<std::int32_t, int>, Set> last;
    for (const Set& s : c.sets) last[{s.metre, s.component}] = s;
    RouteMatrix sorted;
    sorted.allocate(c.upper);
    for (const auto& [where, s] : last) apply(sorted, s);
    EXPECT_TRUE(sorted == m);
  }
}

TEST(RouteMatrix, SizeAndBounds) {
  RouteMatrix m;
  EXPECT_FALSE(m.exists());
  EXPECT_EQ(m.upper(), -1);
  EXPECT_FALSE(m.contains(0));
  for (const std::int32_t upper : {0, 63, 64, 1000}) {
    SCOPED_TRACE(upper);
    m.allocate(upper);
    EXPECT_TRUE(m.exists());
    EXPECT_EQ(m.upper(), upper);
    EXPECT_TRUE(m.contains(0));
    EXPECT_TRUE(m.contains(upper));
    EXPECT_FALSE(m.contains(upper + 1));
    EXPECT_FALSE(m.contains(-1));
    EXPECT_EQ(m.tag(upper, 1), ElementTag::kEmpty);
    m.set_float64(upper, 1, 4.0);
    m.set_int16(0, 0, 2);
  }
  // Allocating again empties every element.
  m.allocate(1000);
  expect_elements(m, {});
  m.release();
  EXPECT_FALSE(m.exists());
  EXPECT_EQ(m.held_bytes(), 0u);
}

// A matrix whose two components follow `pattern` (one tag per metre, the second component
// shifted by one metre), with a different value at every metre.
RouteMatrix patterned(std::int32_t upper, const std::vector<ElementTag>& pattern) {
  RouteMatrix m;
  m.allocate(upper);
  for (int c = 0; c < 2; ++c) {
    for (std::int32_t k = 0; k <= upper; ++k) {
      const ElementTag tag = pattern[static_cast<std::size_t>(k + c) % pattern.size()];
      if (tag == ElementTag::kInt16) m.set_int16(k, c, static_cast<std::int16_t>(k * 3 - 200));
      if (tag == ElementTag::kFloat64) m.set_float64(k, c, k * 0.125 - c);
    }
  }
  return m;
}

TEST(RouteMatrix, EveryMixOfTypesRoundTripsThroughTheFile) {
  using enum ElementTag;
  const std::vector<std::vector<ElementTag>> patterns = {
      {kEmpty},
      {kInt16},
      {kFloat64},
      {kEmpty, kInt16},
      {kEmpty, kFloat64},
      {kInt16, kFloat64},
      {kEmpty, kInt16, kFloat64},
      {kFloat64, kFloat64, kEmpty, kInt16, kInt16, kInt16, kEmpty},
  };
  for (const auto& pattern : patterns) {
    for (const std::int32_t upper : {0, 1, 63, 64, 130}) {
      SCOPED_TRACE("pattern of " + std::to_string(pattern.size()) + ", upper " +
                   std::to_string(upper));
      const RouteMatrix m = patterned(upper, pattern);
      const std::string bytes = encode_route_matrix_file(m);
      std::size_t size = 0;
      for (int c = 0; c < 2; ++c) {
        m.for_each(c, [&size](ElementTag tag, double) { size += encoded_size(tag); });
      }
      EXPECT_EQ(bytes.size(), size);
      EXPECT_EQ(encoded_route_matrix_bytes(m), size);
      const RouteMatrix decoded = decode_route_matrix_file(bytes);
      EXPECT_TRUE(decoded == m);
      EXPECT_EQ(encode_route_matrix_file(decoded), bytes);
    }
  }
}

TEST(RouteMatrix, EqualityComparesFloatsByTheirBits) {
  RouteMatrix a;
  a.allocate(3);
  a.set_float64(2, 0, 0.0);
  RouteMatrix b = a;
  EXPECT_TRUE(a == b);
  b.set_float64(2, 0, -0.0);
  EXPECT_FALSE(a == b);
  b.set_int16(2, 0, 0);
  EXPECT_FALSE(a == b);
  b.set_float64(2, 0, 0.0);
  EXPECT_TRUE(a == b);
  b.set_int16(3, 1, 0);
  EXPECT_FALSE(a == b);
}

// Decoded, a matrix holds no more memory than its file takes, and an empty element costs a
// few bits rather than the 2 bytes it takes in the file.
TEST(RouteMatrix, DecodedMatrixHoldsNoMoreThanItsFile) {
  using enum ElementTag;
  const std::int32_t upper = 99999;
  for (const auto& pattern : std::vector<std::vector<ElementTag>>{
           {kEmpty}, {kInt16}, {kFloat64}, {kFloat64, kInt16, kEmpty}}) {
    SCOPED_TRACE("pattern of " + std::to_string(pattern.size()) + " beginning with " +
                 std::to_string(static_cast<int>(pattern[0])));
    const std::string bytes = encode_route_matrix_file(patterned(upper, pattern));
    const RouteMatrix m = decode_route_matrix_file(bytes);
    ASSERT_EQ(m.upper(), upper);
    EXPECT_LE(m.held_bytes(), bytes.size());
  }
  const std::size_t elements = 2 * (std::size_t{upper} + 1);
  const RouteMatrix zeros = decode_route_matrix_file(std::string(2 * elements, '\0'));
  ASSERT_EQ(zeros.upper(), upper);
  EXPECT_LE(zeros.held_bytes() * 8, elements * 4) << "more than 4 bits per empty element";
}

}  // namespace
}  // namespace sb
