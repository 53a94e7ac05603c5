#include "compiler/protection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sb {
namespace {

// A point object of a hand-built track, or a cell as the pass should leave it.
struct Obj {
  int cell;
  std::uint8_t kind;
  std::int16_t value1 = 0;
};

struct Case {
  std::string name;
  std::vector<Obj> objects;   // placed before the pass
  std::vector<Obj> expected;  // the only cells the pass may change, as they must end
  std::int32_t error_code = 0;
  std::int32_t error_position = 0;
  std::int32_t cell_count = 200;
};

constexpr std::uint8_t kOther = kSpeedBoard;  // any kind that is not free and not kind 12

Obj pt(int cell, std::int16_t v = 180) {
  return {cell, kAbbattimento, v};
}
Obj sig(int cell) {
  return {cell, kSignal, 0};
}
Obj board(int cell) {
  return {cell, kWarningBoard, 0};
}
Obj busy(int cell) {
  return {cell, kOther, 0};
}

// A slow order from `start` to `end` at `speed`.
std::vector<Obj> slow(int start, int end, std::int16_t speed) {
  return {{start, kSlowOrderStart, speed}, {end, kSlowOrderEnd, speed}};
}

std::vector<Obj> join(std::vector<std::vector<Obj>> parts) {
  std::vector<Obj> all;
  for (auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// The band points of a slow-order start at `i` far enough from cell 0, with all cells free.
std::vector<Obj> bands(int i) {
  return {pt(i - 5), pt(i - 11), pt(i - 18)};
}

Scenario build(const Case& c) {
  Scenario s;
  s.cell_count = c.cell_count;
  s.track_table.resize(static_cast<std::size_t>(c.cell_count) + 1);
  // Every cell carries byte layers, which the pass must leave as they are.
  for (std::size_t n = 0; n < s.track_table.size(); ++n) {
    s.track_table[n].gradient = 100;
    s.track_table[n].mountain_side = static_cast<std::uint8_t>(n % 4);
  }
  for (const Obj& o : c.objects) {
    s.track_table[o.cell].kind = o.kind;
    s.track_table[o.cell].value1 = o.value1;
  }
  return s;
}

std::vector<Case> cases() {
  return {
      {"no boards and no slow orders: unchanged", {sig(20), busy(40), {60, 10, 1}}, {}},
      {"board at 5 protects a signal at 3 in cell 2", {board(5), sig(3)}, {pt(2)}},
      {"board at 5, signal at 3 with cell 2 taken: cell 1", {board(5), sig(3), busy(2)}, {pt(1)}},
      {"board at 5 does not look at cell 2", {board(5), sig(2)}, {}},
      {"a signal 20 cells before the board is protected", {board(30), sig(10)}, {pt(9)}},
      {"a signal 21 cells before the board is not", {board(30), sig(9)}, {}},
      {"every signal in the window", {board(40), sig(30), sig(35)}, {pt(29), pt(34)}},
      {"a mountain marker is free", {board(40), sig(30), {29, kMountainMarker}}, {pt(29)}},
      {"point 250 in c-1 is lowered to 180",
       {board(40), sig(30), pt(29, 250), busy(28)},
       {pt(29, 180)}},
      {"point 250 in c-2 is lowered to 180",
       {board(40), sig(30), busy(29), pt(28, 250)},
       {pt(28, 180)}},
      {"a free c-2 comes before lowering a point in c-1",
       {board(40), sig(30), pt(29, 250)},
       {pt(28)}},
      {"point 120 stays 120", {board(40), sig(30), pt(29, 120), busy(28)}, {}},
      {"signal with no room: error 11", {board(40), sig(30), busy(29), busy(28)}, {}, 11, 1500},

      {"start at 7 gets no band", join({slow(7, 9, 120)}), {}},
      {"start at 8 gets the first band only", join({slow(8, 12, 120)}), {pt(3)}},
      {"start at 13 gets the first band only", join({slow(13, 15, 120)}), {pt(8)}},
      {"start at 14 gets two bands", join({slow(14, 16, 120)}), {pt(9), pt(3)}},
      {"start at 21 gets three bands", join({slow(21, 23, 120)}), {pt(16), pt(10), pt(3)}},
      {"a band takes its next free candidate",
       join({slow(50, 52, 120), {busy(45), busy(38), busy(39), pt(32, 250)}}),
       {pt(44), pt(37), pt(31)}},
      {"a band with no free candidate: error 12, the others still placed",
       join({slow(50, 52, 120), {busy(45), busy(44), busy(43)}}),
       {pt(39), pt(32)},
       12,
       2500},

      {"speed 109 from 100 to 120: points at 108 and 116", join({slow(100, 120, 109)}),
       join({bands(100), {pt(108), pt(116)}})},
      {"speed 110: none along it", join({slow(100, 120, 110)}), bands(100)},
      {"negative speed is below 110", join({slow(100, 120, -1)}),
       join({bands(100), {pt(108), pt(116)}})},
      {"108 taken: 107 and 115", join({slow(100, 120, 109), {busy(108)}}),
       join({bands(100), {pt(107), pt(115)}})},
      {"108 and 107 taken: 109 and 117", join({slow(100, 120, 109), {busy(108), busy(107)}}),
       join({bands(100), {pt(109), pt(117)}})},
      {"107 to 109 taken: error 13 and no further point",
       join({slow(100, 120, 109), {busy(107), busy(108), busy(109)}}), bands(100), 13, 5400},
      {"the end cell itself is never marked: the cell before it is", join({slow(100, 108, 50)}),
       join({bands(100), {pt(107)}})},

      {"signal at 125 after end 120 gets 124", join({slow(100, 120, 109), {sig(125)}}),
       join({bands(100), {pt(108), pt(116), pt(124)}})},
      {"signal at 125 with 124 taken gets 123", join({slow(100, 120, 109), {sig(125), busy(124)}}),
       join({bands(100), {pt(108), pt(116), pt(123)}})},
      {"signal at 125 with no room: error 13 at the end cell",
       join({slow(100, 120, 109), {sig(125), busy(124), busy(123)}}),
       join({bands(100), {pt(108), pt(116)}}), 13, 6000},
      {"signal at 132 is the last one searched", join({slow(100, 120, 109), {sig(132)}}),
       join({bands(100), {pt(108), pt(116), pt(131)}})},
      {"signal at 133 gets none", join({slow(100, 120, 109), {sig(133)}}),
       join({bands(100), {pt(108), pt(116)}})},
      {"only the first signal after the end", join({slow(100, 120, 109), {sig(122), sig(126)}}),
       join({bands(100), {pt(108), pt(116), pt(121)}})},
      {"speed 110: the signal after the walked end is protected",
       join({slow(100, 120, 110), {sig(125)}}), join({bands(100), {pt(124)}})},
      {"speed 110 after an earlier slow order: its own end is used",
       join({slow(30, 40, 109), slow(100, 120, 130), {sig(50), sig(130)}}),
       join({bands(30), bands(100), {pt(38), pt(49), pt(129)}})},

      {"no end before the table ends: the walk stops at the last cell",
       join({{{40, kSlowOrderStart, 100}}}), join({bands(40), {pt(48), pt(56)}}), 0, 0, 60},
      {"no end, fast: the search stops at the last cell",
       join({{{40, kSlowOrderStart, 120}, sig(60)}}), join({bands(40), {pt(59)}}), 0, 0, 60},
      {"8th cell is the last one and taken: no cell after it, error 13",
       join({{{50, kSlowOrderStart, 100}, busy(58), busy(57)}}), bands(50), 13, 2900, 58},
      {"cells cell_count - 1 and cell_count are not visited",
       {board(29), sig(25), board(30), sig(27)},
       {},
       0,
       0,
       30},
      {"cell cell_count - 2 is visited", {board(28), sig(25)}, {pt(24)}, 0, 0, 30},
  };
}

TEST(ProtectTrack, Cases) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    Scenario s = build(c);
    std::vector<TrackCell> want = s.track_table;
    for (const Obj& o : c.expected) {
      want[o.cell].kind = o.kind;
      want[o.cell].value1 = o.value1;
    }
    protect_track(s);
    for (std::size_t n = 0; n < want.size(); ++n) {
      EXPECT_EQ(s.track_table[n], want[n])
          << "cell " << n << ": kind " << int(s.track_table[n].kind) << " value1 "
          << s.track_table[n].value1;
    }
    EXPECT_EQ(s.error_code, c.error_code);
    EXPECT_EQ(s.error_position, c.error_position);
  }
}

TEST(ProtectTrack, ErrorsAreLoggedInOrderAndThePassGoesOn) {
  Case c{"",
         join({{board(40), sig(30), busy(29), busy(28)},
               slow(100, 120, 120),
               {busy(95), busy(94), busy(93)}}),
         {}};
  Scenario s = build(c);
  s.error_code = 25;  // a fault of the reader does not stop the pass
  protect_track(s);
  EXPECT_EQ(s.error_code, 12);
  EXPECT_EQ(s.error_position, 5000);
  ASSERT_EQ(s.diagnostics.faults(), 2u);
  EXPECT_EQ(s.diagnostics.items[0].code, 11);
  EXPECT_EQ(s.diagnostics.items[0].position, 1500);
  EXPECT_EQ(s.diagnostics.items[1].code, 12);
  EXPECT_EQ(s.diagnostics.items[1].position, 5000);
  // The bands that had room were still placed.
  EXPECT_EQ(s.track_table[89].kind, kAbbattimento);
  EXPECT_EQ(s.track_table[82].kind, kAbbattimento);
}

TEST(ProtectTrack, WithoutTrackTableDoesNothing) {
  Scenario s;
  s.cell_count = 500;  // a stale count with no table behind it
  protect_track(s);
  EXPECT_FALSE(s.has_track_table());
  EXPECT_EQ(s.error_code, 0);
}

TEST(ProtectTrack, NeverLooksPastTheTableWhenTheCountIsWrong) {
  Scenario s;
  s.cell_count = 100;
  s.track_table.resize(31);
  s.track_table[25].kind = kSlowOrderStart;
  s.track_table[25].value1 = 50;
  protect_track(s);  // no end cell, count beyond the table: must stay inside it
  EXPECT_EQ(s.track_table[25 - 5].kind, kAbbattimento);
  EXPECT_EQ(s.error_code, 0);
}

TEST(Minimo, SmallerOfTwoAndFirstWhenEqual) {
  EXPECT_EQ(minimo<std::int16_t>(180, 250), 180);
  EXPECT_EQ(minimo<std::int16_t>(180, 120), 120);
  EXPECT_EQ(minimo<std::int16_t>(180, -5), -5);
  EXPECT_EQ(minimo(2.5, 2.5), 2.5);
}

}  // namespace
}  // namespace sb
