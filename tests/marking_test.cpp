// The operations that mark one object on the track table: mountain-side stretches, speed
// boards, signals and slow orders.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "model/scenario.h"
#include "reader/operations.h"
#include "reader/read_failure.h"

namespace sb::test {
namespace {

// A scenario with the built-in table size: cells 0 to 500.
Scenario with_track() {
  Scenario s;
  s.extended_length = 25000;
  s.cell_count = 500;
  s.track_table.assign(501, TrackCell{});
  return s;
}

void montagna(Scenario& s, std::int32_t inizio, std::int32_t fine, std::int32_t tipo) {
  memo_montagna(s, inizio, fine, tipo);
}

void board(Scenario& s, std::int32_t p, std::int32_t vas, std::int32_t vad,
           std::int16_t strisces = 0, std::int16_t strisced = 0) {
  std::int32_t vbs = vas, vcs = vas, vbd = vad, vcd = vad;
  memo_indicatori_v_max(s, p, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced);
}

struct Signal {
  std::int32_t sx = 2, s1 = 3, s2 = 0, s3 = 0, rapp = 0, dx = 2, d1 = 2, d2 = 0, d3 = 0, tempo = 0;
};
void segnale(Scenario& s, std::int32_t p, Signal& g) {
  memo_segnale(s, p, g.sx, g.s1, g.s2, g.s3, g.rapp, g.dx, g.d1, g.d2, g.d3, g.tempo);
}
void segnale(Scenario& s, std::int32_t p, Signal&& g) {
  segnale(s, p, g);
}

void rallentamento(Scenario& s, std::int32_t x, std::int32_t v, std::int32_t l, std::int32_t f_tt,
                   std::int32_t f_ta, std::int32_t d_v) {
  memo_rallentamento(s, x, v, l, f_tt, f_ta, d_v);
}

std::vector<int> cells_of_kind(const Scenario& s, std::uint8_t kind) {
  std::vector<int> cells;
  for (std::size_t n = 0; n < s.track_table.size(); ++n) {
    if (s.track_table[n].kind == kind) cells.push_back(static_cast<int>(n));
  }
  return cells;
}

// ---- Mountain-side stretches ----

TEST(MountainStretch, MarkedStretchGetsATypeAndAMarkerInEveryFourthPlainCell) {
  Scenario s = with_track();
  s.track_table[86].kind = kSignal;
  std::int32_t inizio = 3950, fine = 10600, tipo = 12;
  memo_montagna(s, inizio, fine, tipo);
  EXPECT_EQ(tipo, 2);
  EXPECT_EQ(s.mountain_count, 1);
  for (int n = 0; n <= 500; ++n) {
    EXPECT_EQ(s.track_table[n].mountain_side, (n >= 79 && n <= 211) ? 2 : 0) << n;
  }
  std::vector<int> markers;
  for (int n = 82; n <= 210; n += 4) {
    if (n != 86) markers.push_back(n);
  }
  EXPECT_EQ(cells_of_kind(s, kMountainMarker), markers);
  EXPECT_EQ(s.track_table[86].kind, kSignal);  // a taken cell keeps its kind
}

TEST(MountainStretch, TypeThreeForAStretchCloseAfterThePreviousOne) {
  struct Case {
    const char* name;
    std::int32_t inizio, fine, tipo;
    std::int32_t effective;
    bool markers;
  };
  // The previous stretch is 1000 to 2000 with type 2.
  const Case cases[] = {
      {"150 m after", 2150, 3000, 5, 3, false},      {"151 m after", 2151, 3000, 5, 5, false},
      {"overlapping", 1500, 3000, 5, 3, false},      {"out of order", 100, 600, 5, 3, false},
      {"marked and close", 2100, 3000, 12, 3, true}, {"marked and far", 2500, 3000, 14, 4, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scenario s = with_track();
    montagna(s, 1000, 2000, 2);
    std::int32_t inizio = c.inizio, fine = c.fine, tipo = c.tipo;
    memo_montagna(s, inizio, fine, tipo);
    EXPECT_EQ(tipo, c.effective);
    EXPECT_EQ(s.mountain_count, 2);
    EXPECT_EQ(s.mountain_start[2], c.inizio);
    EXPECT_EQ(s.mountain_end[2], c.fine);
    const int first = c.inizio / 50;  // all cases are multiples of 50 or round down
    EXPECT_EQ(s.track_table[first].mountain_side, c.effective);
    EXPECT_EQ(s.track_table[first + 3].kind == kMountainMarker, c.markers);
  }
}

TEST(MountainStretch, FirstStretchNeverGetsTypeThree) {
  Scenario s = with_track();
  std::int32_t inizio = 0, fine = 100, tipo = 7;
  memo_montagna(s, inizio, fine, tipo);
  EXPECT_EQ(tipo, 7);
  EXPECT_EQ(s.track_table[0].mountain_side, 7);
  EXPECT_EQ(s.track_table[1].mountain_side, 7);
  EXPECT_EQ(s.track_table[2].mountain_side, 0);
}

TEST(MountainStretch, ShortStretches) {
  Scenario s = with_track();
  montagna(s, 1000, 1200, 12);  // cells 20 to 23: the 4th is a marker
  montagna(s, 5000, 5150, 12);  // cells 100 to 102: too short for a marker
  montagna(s, 8000, 8020, 2);   // no cell at all, still recorded
  EXPECT_EQ(cells_of_kind(s, kMountainMarker), std::vector<int>{23});
  EXPECT_EQ(s.track_table[102].mountain_side, 2);
  EXPECT_EQ(s.track_table[103].mountain_side, 0);
  EXPECT_EQ(s.mountain_count, 3);
  EXPECT_EQ(s.mountain_start[3], 8000);
  EXPECT_EQ(s.mountain_end[3], 8020);
  for (int n = 159; n <= 161; ++n) EXPECT_EQ(s.track_table[n].mountain_side, 0) << n;
}

TEST(MountainStretch, TypeKeepsItsLowEightBits) {
  Scenario s = with_track();
  montagna(s, 1000, 1100, 300);  // a marked stretch of type 290
  EXPECT_EQ(s.track_table[20].mountain_side, 290 - 256);
}

TEST(MountainStretch, EightyFirstStretchFailsWithoutBeingRecorded) {
  Scenario s = with_track();
  for (int k = 0; k < 80; ++k) montagna(s, k * 200, k * 200 + 100, 2);
  EXPECT_EQ(s.mountain_count, 80);
  EXPECT_EQ(s.mountain_start[80], 79 * 200);
  EXPECT_THROW(montagna(s, 16200, 16300, 5), ReadFailure);
  EXPECT_EQ(s.mountain_count, 80);
  EXPECT_EQ(s.track_table[324].mountain_side, 0);
}

// A stretch reaching outside the table fails at its first cell outside; the stretch is
// recorded and the cells marked before that stay (nothing is undone).
TEST(MountainStretch, StretchOutsideTheTableFailsAtTheFirstCellOutside) {
  Scenario s = with_track();
  EXPECT_THROW(montagna(s, 24000, 25100, 2), ReadFailure);  // cells 480 to 501
  EXPECT_EQ(s.mountain_count, 1);
  EXPECT_EQ(s.track_table[480].mountain_side, 2);
  EXPECT_EQ(s.track_table[500].mountain_side, 2);

  Scenario before = with_track();
  EXPECT_THROW(montagna(before, -100, 500, 2), ReadFailure);  // starts at cell -2
  for (const TrackCell& c : before.track_table) ASSERT_EQ(c, TrackCell{});
}

TEST(Marking, PositionsHalfwayBetweenCellsRoundToEven) {
  Scenario s = with_track();
  montagna(s, 75, 275, 2);  // round(1.5) = 2 to round(4.5) = 4
  for (int n = 0; n <= 6; ++n)
    EXPECT_EQ(s.track_table[n].mountain_side, (n >= 2 && n <= 4) ? 2 : 0) << n;
  board(s, 75, 80, 80);   // round(2.5) = 2
  board(s, 125, 80, 80);  // round(3.5) = 4
  EXPECT_EQ(cells_of_kind(s, kSpeedBoard), (std::vector<int>{2, 4}));
  segnale(s, 275, Signal{});  // round(6.5) = 6
  EXPECT_EQ(s.track_table[6].kind, kSignal);
}

// ---- Speed boards ----

TEST(SpeedBoard, PacksTheSpeedsAndStripes) {
  struct Case {
    std::int32_t p, s_side, d_side;
    std::int16_t strisces, strisced;
    int cell;
    std::int16_t packed, stripes;
  };
  const Case cases[] = {
      {400, 80, 80, 0, 0, 9, 1616, 0},
      {10400, 60, 60, 0, 0, 209, 1212, 0},
      {12150, 100, 100, 0, 0, 244, 2020, 0},
      {15650, 80, 80, 2, 3, 314, 1616, 23},
      {1000, 80, 13, 0, 0, 21, 1603, 0},  // 13 / 5 = 2.6 rounds up
      {1000, 80, 12, 0, 0, 21, 1602, 0},  // 12 / 5 = 2.4 rounds down
      {1000, -1, 3, 0, 0, 21, -19, 0},    // -20 + 0.6
      {1000, 0, 0, 4000, 7, 21, 0, static_cast<std::int16_t>(40007 - 65536)},  // low 16 bits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.p);
    Scenario s = with_track();
    board(s, c.p, c.s_side, c.d_side, c.strisces, c.strisced);
    EXPECT_EQ(s.error_code, 0);
    const TrackCell& t = s.track_table[c.cell];
    EXPECT_EQ(t.kind, kSpeedBoard);
    EXPECT_EQ(t.value1, c.packed);
    EXPECT_EQ(t.value2, c.packed);
    EXPECT_EQ(t.value3, c.packed);
    EXPECT_EQ(t.value4, c.stripes);
  }
}

TEST(SpeedBoard, SideSpeedsGoToTheirOwnFields) {
  Scenario s = with_track();
  std::int32_t vas = 10, vbs = 20, vcs = 30, vad = 40, vbd = 50, vcd = 60;
  std::int16_t strisces = 1, strisced = 2;
  memo_indicatori_v_max(s, 400, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced);
  EXPECT_EQ(s.track_table[9].value1, 208);
  EXPECT_EQ(s.track_table[9].value2, 410);
  EXPECT_EQ(s.track_table[9].value3, 612);
  EXPECT_EQ(s.track_table[9].value4, 12);
}

TEST(SpeedBoard, ReplacesAMarkerButNotAnotherObject) {
  Scenario s = with_track();
  s.track_table[9].kind = kMountainMarker;
  s.track_table[9].mountain_side = 2;
  board(s, 400, 80, 80);
  EXPECT_EQ(s.error_code, 0);
  EXPECT_EQ(s.track_table[9].kind, kSpeedBoard);
  EXPECT_EQ(s.track_table[9].mountain_side, 2);
  const TrackCell before = s.track_table[9];
  board(s, 410, 60, 60);
  EXPECT_EQ(s.error_code, 21);
  EXPECT_EQ(s.track_table[9], before);
}

// The fields are written in their order; the one that does not fit 16 bits ends the reading
// and what was written before it stays.
TEST(SpeedBoard, ValueBeyondSixteenBitsFailsAtThatField) {
  Scenario s = with_track();
  std::int32_t vas = 80, vbs = 80, vcs = 1700, vad = 80, vbd = 80, vcd = 0;  // 34000
  std::int16_t strisces = 0, strisced = 0;
  EXPECT_THROW(memo_indicatori_v_max(s, 400, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced),
               ReadFailure);
  EXPECT_EQ(s.track_table[9].kind, kSpeedBoard);
  EXPECT_EQ(s.track_table[9].value1, 1616);
  EXPECT_EQ(s.track_table[9].value2, 1616);
  EXPECT_EQ(s.track_table[9].value3, 0);
}

// ---- Signals ----

TEST(Signal, BuiltInSignal) {
  Scenario s = with_track();
  segnale(s, 14650, Signal{});
  EXPECT_EQ(s.error_code, 0);
  const TrackCell& t = s.track_table[294];
  EXPECT_EQ(t.kind, kSignal);
  EXPECT_EQ(t.value1, 32);
  EXPECT_EQ(t.value2, 0);
  EXPECT_EQ(t.value3, 0);
  EXPECT_EQ(t.value4, 8);
  EXPECT_EQ(t.signal_time, 0);
  EXPECT_EQ(t.approach_mark, 0);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(s.track_table[294 - 2 * k].approach_mark, 80 + k) << k;
  for (int n : {293, 291, 289, 287, 285, 284}) EXPECT_EQ(s.track_table[n].approach_mark, 0) << n;
  for (int n : {292, 290, 288, 286}) EXPECT_EQ(s.track_table[n].kind, kPlain) << n;
}

TEST(Signal, PacksAllValuesInDecimal) {
  Scenario s = with_track();
  Signal g{.sx = 0, .s1 = 1, .s2 = 2, .s3 = 3, .rapp = 4, .dx = 1, .d1 = 5, .d2 = 6, .d3 = 7};
  segnale(s, 5000, g);
  const TrackCell& t = s.track_table[101];
  EXPECT_EQ(t.value1, 15);
  EXPECT_EQ(t.value2, 26);
  EXPECT_EQ(t.value3, 37);
  EXPECT_EQ(t.value4, 41);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(s.track_table[101 - 2 * k].approach_mark, 10 + k);
  Scenario big = with_track();
  segnale(big, 5000, Signal{.s1 = 5000, .d1 = 7});
  EXPECT_EQ(big.track_table[101].value1, static_cast<std::int16_t>(50007 - 65536));
}

TEST(Signal, Time) {
  struct Case {
    std::int32_t sx, tempo;
    std::int32_t tempo_after;
    std::uint8_t signal_time;
  };
  const Case cases[] = {
      {2, 1, 101, 101}, {2, 100, 101, 101}, {2, 0, 0, 0},    {2, 150, 150, 150}, {2, 101, 101, 101},
      {2, -5, -5, 251}, {2, 300, 300, 44},  {1, 50, 101, 0}, {0, 150, 150, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "sx " << c.sx << " tempo " << c.tempo);
    Scenario s = with_track();
    Signal g{.sx = c.sx, .tempo = c.tempo};
    segnale(s, 5000, g);
    EXPECT_EQ(g.tempo, c.tempo_after);
    EXPECT_EQ(s.track_table[101].signal_time, c.signal_time);
  }
}

TEST(Signal, ReplacesAMarkerButNotAnotherObject) {
  Scenario s = with_track();
  s.track_table[101].kind = kMountainMarker;
  segnale(s, 5000, Signal{});
  EXPECT_EQ(s.error_code, 0);
  EXPECT_EQ(s.track_table[101].kind, kSignal);
  const std::vector<TrackCell> before = s.track_table;
  segnale(s, 5010, Signal{.s1 = 9, .dx = 0});
  EXPECT_EQ(s.error_code, 16);
  EXPECT_EQ(s.track_table, before);
}

TEST(Signal, LaterSignalOverwritesApproachMarks) {
  Scenario s = with_track();
  segnale(s, 5000, Signal{});                  // A in cell 101, marks in 99, 97, 95, 93
  segnale(s, 5100, Signal{.sx = 0, .dx = 1});  // B in cell 103, marks in 101, 99, 97, 95
  EXPECT_EQ(s.error_code, 0);
  EXPECT_EQ(s.track_table[101].kind, kSignal);
  EXPECT_EQ(s.track_table[101].value1, 32);
  EXPECT_EQ(s.track_table[101].approach_mark, 11);
  EXPECT_EQ(s.track_table[99].approach_mark, 12);
  EXPECT_EQ(s.track_table[97].approach_mark, 13);
  EXPECT_EQ(s.track_table[95].approach_mark, 14);
  EXPECT_EQ(s.track_table[93].approach_mark, 84);
}

TEST(Signal, NearTheOriginMarksBeforeCellZeroAreDropped) {
  struct Case {
    std::int32_t p;
    int cell;
    std::vector<int> marked;  // cells with an approach mark, k = 1, 2, ...
  };
  const Case cases[] = {
      {350, 8, {6, 4, 2, 0}}, {300, 7, {5, 3, 1}}, {100, 3, {1}}, {0, 1, {}}, {-50, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.p);
    Scenario s = with_track();
    segnale(s, c.p, Signal{});
    EXPECT_EQ(s.error_code, 0);
    EXPECT_EQ(s.track_table[c.cell].kind, kSignal);
    std::vector<int> marked;
    for (int n = 500; n >= 0; --n) {
      if (s.track_table[n].approach_mark != 0) marked.push_back(n);
    }
    EXPECT_EQ(marked, c.marked);
    for (std::size_t k = 0; k < c.marked.size(); ++k) {
      EXPECT_EQ(s.track_table[c.marked[k]].approach_mark, static_cast<int>(81 + k));
    }
  }
  Scenario s = with_track();
  EXPECT_THROW(segnale(s, -100, Signal{}), ReadFailure);
}

// ---- Slow orders ----

TEST(SlowOrder, TheWorkedExample) {
  Scenario s = with_track();
  rallentamento(s, 5000, 30, 400, 1, 1, 0);
  EXPECT_EQ(s.error_code, 0);
  const auto& t = s.track_table;
  EXPECT_EQ(t[101].kind, kSlowOrderStart);
  EXPECT_EQ(t[109].kind, kSlowOrderEnd);
  for (int n : {101, 109}) {
    EXPECT_EQ(t[n].value1, 30) << n;
    EXPECT_EQ(t[n].value3, 1) << n;
  }
  EXPECT_EQ(t[77].kind, kWarningBoard);
  EXPECT_EQ(t[77].value1, 30);
  EXPECT_EQ(t[77].value3, 0);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(t[76 - k].kind, kPreWarning) << k;
    EXPECT_EQ(t[76 - k].value1, k + 1) << k;
  }
  for (int n : {101, 109, 77, 76, 75, 74, 73}) EXPECT_EQ(t[n].value2, 0) << n;
  EXPECT_EQ(cells_of_kind(s, kPlain).size(), 501u - 7u);
}

TEST(SlowOrder, WarningAndPreWarningOnlyBeyondFifteenHundredMetres) {
  Scenario a = with_track();
  rallentamento(a, 1500, 30, 400, 1, 1, 0);
  EXPECT_EQ(a.error_code, 0);
  EXPECT_TRUE(cells_of_kind(a, kWarningBoard).empty());
  EXPECT_TRUE(cells_of_kind(a, kPreWarning).empty());
  EXPECT_EQ(cells_of_kind(a, kSlowOrderStart), std::vector<int>{31});
  EXPECT_EQ(cells_of_kind(a, kSlowOrderEnd), std::vector<int>{39});

  Scenario b = with_track();
  rallentamento(b, 1550, 30, 400, 1, 1, 0);
  EXPECT_EQ(cells_of_kind(b, kWarningBoard), std::vector<int>{8});
  EXPECT_EQ(cells_of_kind(b, kPreWarning), (std::vector<int>{4, 5, 6, 7}));
  EXPECT_EQ(b.track_table[7].value1, 1);
  EXPECT_EQ(b.track_table[4].value1, 4);

  Scenario c = with_track();
  rallentamento(c, 5000, 30, 400, 1, 0, 0);
  EXPECT_EQ(cells_of_kind(c, kWarningBoard), std::vector<int>{77});
  EXPECT_TRUE(cells_of_kind(c, kPreWarning).empty());
}

TEST(SlowOrder, ShortOrderLeavesOnlyItsStartCell) {
  for (std::int32_t l : {0, 24}) {
    SCOPED_TRACE(l);
    Scenario s = with_track();
    rallentamento(s, 5000, 30, l, 1, 0, 0);
    EXPECT_EQ(s.error_code, 0);
    EXPECT_EQ(cells_of_kind(s, kSlowOrderStart), std::vector<int>{101});
    EXPECT_TRUE(cells_of_kind(s, kSlowOrderEnd).empty());
    EXPECT_EQ(s.track_table[101].value1, 30);
    EXPECT_EQ(s.track_table[101].value3, 1);
  }
}

TEST(SlowOrder, SpeedDifferenceNumbersTheSecondValue) {
  Scenario s = with_track();
  for (int n : {101, 109, 77, 76, 73}) s.track_table[n].value2 = 99;  // left by nobody
  rallentamento(s, 5000, 30, 400, 1, 1, 0);
  for (int n : {101, 109, 77, 76, 73}) EXPECT_EQ(s.track_table[n].value2, 99) << n;

  Scenario d = with_track();
  rallentamento(d, 5000, 30, 400, 1, 1, 70);
  for (int n : {101, 109, 77}) EXPECT_EQ(d.track_table[n].value2, 70) << n;
  for (int k = 0; k < 4; ++k) EXPECT_EQ(d.track_table[76 - k].value2, k + 1) << k;
}

TEST(SlowOrder, MarkersAreFree) {
  Scenario s = with_track();
  for (int n : {101, 109, 77, 75}) s.track_table[n].kind = kMountainMarker;
  rallentamento(s, 5000, 30, 400, 1, 1, 0);
  EXPECT_EQ(s.error_code, 0);
  EXPECT_EQ(s.track_table[101].kind, kSlowOrderStart);
  EXPECT_EQ(s.track_table[109].kind, kSlowOrderEnd);
  EXPECT_EQ(s.track_table[77].kind, kWarningBoard);
  EXPECT_EQ(s.track_table[75].kind, kPreWarning);
}

TEST(SlowOrder, TakenCells) {
  struct Case {
    const char* name;
    int taken_cell;
    std::int32_t code;
    std::vector<int> written;  // cells the slow order marks before failing
  };
  const Case cases[] = {
      {"warning cell", 77, 17, {}},
      {"start cell", 101, 18, {}},
      {"end cell", 109, 19, {}},
      {"pre-warning cell", 74, 20, {77, 101, 109}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scenario s = with_track();
    s.track_table[c.taken_cell].kind = kStationStop;
    if (c.code == 17) s.track_table[101].kind = kSignal;  // the warning is tested first
    rallentamento(s, 5000, 30, 400, 1, 1, 0);
    EXPECT_EQ(s.error_code, c.code);
    std::vector<int> written;
    for (int n = 0; n <= 500; ++n) {
      const std::uint8_t k = s.track_table[n].kind;
      if (k >= kSlowOrderEnd && k <= kPreWarning) written.push_back(n);
    }
    EXPECT_EQ(written, c.written);
  }
}

TEST(SlowOrder, CellsOutsideTheTableFailBeforeAnythingIsWritten) {
  struct Case {
    std::int32_t x, l;
  };
  for (const Case c : {Case{24000, 1000}, Case{100, -300}, Case{-100, 300}}) {
    SCOPED_TRACE(testing::Message() << c.x << " " << c.l);
    Scenario s = with_track();
    EXPECT_THROW(rallentamento(s, c.x, 30, c.l, 1, 1, 0), ReadFailure);
    for (const TrackCell& t : s.track_table) ASSERT_EQ(t, TrackCell{});
  }
}

}  // namespace
}  // namespace sb::test
