// Ordering of the three kilometric-chainage references in station slots 81 to 83.
#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "model/scenario.h"
#include "reader/operations.h"
#include "reader/read_failure.h"

namespace sb::test {
namespace {

using Triple = std::array<std::int32_t, 3>;

void put(StationRecord& r, const Triple& t) {
  r.start_m = t[0];
  r.end_m = t[1];
  r.position_m = t[2];
}
Triple take(const StationRecord& r) {
  return {r.start_m, r.end_m, r.position_m};
}

TEST(ChainageOrder, Cases) {
  struct Case {
    const char* name;
    Triple t, d, u;                 // as read: slots 81, 82, 83
    Triple slot81, slot82, slot83;  // after ordering
  };
  const Triple z{0, 0, 0};
  const Case cases[] = {
      {"all zero", z, z, z, z, z, z},
      {"largest first value wins 81",
       {0, 10, 2},
       {2000, 20, 2},
       {500, 30, 2},
       {2000, 20, 2},
       {500, 30, 2},
       {0, 10, 2}},
      {"T largest, tie between D and U prefers U",
       {900, 1, 0},
       {100, 2, 0},
       {100, 3, 0},
       {900, 1, 0},
       {100, 3, 0},
       {100, 2, 0}},
      {"D largest, tie between T and U prefers U",
       {100, 1, 0},
       {900, 2, 0},
       {100, 3, 0},
       {900, 2, 0},
       {100, 3, 0},
       {100, 1, 0}},
      {"U largest, tie between T and D prefers D",
       {100, 1, 0},
       {100, 2, 0},
       {900, 3, 0},
       {900, 3, 0},
       {100, 2, 0},
       {100, 1, 0}},
      {"negative first values order too",
       {-100, 1, 0},
       {-300, 2, 0},
       {-200, 3, 0},
       {-100, 1, 0},
       {-200, 3, 0},
       {-300, 2, 0}},
      {"two share the largest first value", {1000, 1, 0}, {1000, 2, 0}, {0, 3, 0}, z, z, z},
      {"three share the largest first value", {5, 1, 1}, {5, 2, 1}, {5, 3, 1}, z, z, z},
      {"sum zero, only D2 positive",
       {0, 0, 7},
       {0, 300, 8},
       {0, 0, 9},
       {0, 300, 8},
       {0, 0, 7},
       {0, 0, 9}},
      {"sum zero, D2 and U2 positive",
       {0, 100, 7},
       {0, 300, 8},
       {0, 200, 9},
       {0, 200, 9},
       {0, 300, 8},
       {0, 100, 7}},
      {"sum zero, only T2 positive",
       {0, 50, 7},
       {0, -1, 8},
       {0, 0, 9},
       {0, 50, 7},
       {0, -1, 8},
       {0, 0, 9}},
      {"sum zero, no second value positive", {0, -50, 7}, {0, 0, 8}, {0, -1, 9}, z, z, z},
      {"first values 5, -5, 0 order by second values",
       {5, 0, 2},
       {-5, 40, 2},
       {0, 0, 2},
       {-5, 40, 2},
       {5, 0, 2},
       {0, 0, 2}},
      {"third value 1 adds 100 to the second, wherever it lands",
       {100, 450, 1},
       {300, 450, 2},
       {200, 450, 1},
       {300, 450, 2},
       {200, 550, 1},
       {100, 550, 1}},
      {"largest first values whose sum would overflow 32 bits",
       {INT_MAX, 1, 0},
       {INT_MAX - 1, 2, 0},
       {0, 3, 0},
       {INT_MAX, 1, 0},
       {INT_MAX - 1, 2, 0},
       {0, 3, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scenario s;
    put(s.station_table[kChainageThreeSlot], c.t);
    put(s.station_table[kChainageTwoSlot], c.d);
    put(s.station_table[kChainageOneSlot], c.u);
    s.station_table[80].start_m = 11;
    s.station_table[84].start_m = 12;
    progressive_ordina(s);
    EXPECT_EQ(take(s.station_table[kChainageThreeSlot]), c.slot81);
    EXPECT_EQ(take(s.station_table[kChainageTwoSlot]), c.slot82);
    EXPECT_EQ(take(s.station_table[kChainageOneSlot]), c.slot83);
    EXPECT_EQ(s.station_table[80].start_m, 11);
    EXPECT_EQ(s.station_table[84].start_m, 12);
  }
}

TEST(ChainageOrder, AdjustmentBeyond32BitsIsARunTimeFailure) {
  Scenario s;
  put(s.station_table[kChainageOneSlot], {50, INT_MAX - 50, 1});
  EXPECT_THROW(progressive_ordina(s), ReadFailure);
}

}  // namespace
}  // namespace sb::test
