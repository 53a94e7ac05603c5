// "stazione" entries of the train file: the station slot, the platform ends, the stop cell and
// the approach marks, and the faults that stop the train pass.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reader_fixture.h"

namespace sb::test {
namespace {

struct Station {
  int p = 0, kind = 26, length = 300;
  int b = 0, c = 0;
  std::string name = "X";
  std::string line() const {
    return "stazione, " + std::to_string(p) + ", " + std::to_string(kind) + ", " +
           std::to_string(length) + ", 0, " + std::to_string(b) + ", " + std::to_string(c) +
           ", 0,0,0, 0,0,0, 0, 12,10,0, " + name;
  }
};

std::vector<std::string> lines(const std::vector<Station>& stations) {
  std::vector<std::string> out;
  for (const Station& st : stations) out.push_back(st.line());
  return out;
}

// Cells that carry an approach mark, in the order of the mark (81, 82, ...).
std::vector<int> marked_cells(const Scenario& s) {
  std::vector<int> cells;
  for (int mark = 81; mark <= 84; ++mark) {
    for (std::size_t n = 0; n < s.track_table.size(); ++n) {
      if (s.track_table[n].approach_mark == mark) cells.push_back(static_cast<int>(n));
    }
  }
  return cells;
}

std::vector<int> stop_cells(const Scenario& s) {
  std::vector<int> cells;
  for (std::size_t n = 0; n < s.track_table.size(); ++n) {
    if (s.track_table[n].kind == kStationStop) cells.push_back(static_cast<int>(n));
  }
  return cells;
}

TEST(StationEntry, PlatformEndsStopCellAndMarks) {
  struct Case {
    const char* name;
    std::vector<Station> stations;
    int start_m, end_m;  // of the last station
    std::vector<int> stops;
    std::vector<int> marks;
    int param_c;
  };
  const Case cases[] = {
      {"kind 6 stops short, no marks",
       {{.p = 18000, .kind = 6, .length = 400, .c = 1}},
       17600,
       18150,
       {362},
       {},
       0},
      {"kind 5 like kind 6", {{.p = 5000, .kind = 5, .length = 300}}, 4700, 5150, {102}, {}, 0},
      {"kind 22 at the origin", {{.p = 0, .kind = 22, .length = 400}}, -200, 200, {3}, {2}, 0},
      {"first station's param_c lengthens it, then is cleared",
       {{.p = 0, .kind = 22, .length = 400, .c = 1}},
       -200,
       250,
       {4},
       {3, 2},
       0},
      {"kind 7 doubles the platform",
       {{.p = 5000, .kind = 7, .length = 300, .c = 1}},
       4700,
       5300,
       {105},
       {104, 103, 102, 101},
       0},
      {"kind 8 like kind 7",
       {{.p = 5000, .kind = 8, .length = 200}},
       4800,
       5200,
       {103},
       {102, 101, 100, 99},
       0},
      {"second station keeps param_c",
       {{.p = 0, .kind = 26}, {.p = 5000, .kind = 22, .length = 300, .c = 1}},
       4850,
       5200,
       {103},
       {102, 101, 100, 99},
       1},
      {"kinds from 25 on mark nothing",
       {{.p = 5000, .kind = 25}, {.p = 8000, .kind = 255}},
       7850,
       8150,
       {},
       {},
       0},
      {"kind 24 still marks",
       {{.p = 5000, .kind = 24, .length = 200}},
       4900,
       5100,
       {101},
       {100, 99, 98, 97},
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReaderRun r;
    r.read_train(train_file_from_origin(lines(c.stations)));
    EXPECT_EQ(r.s.error_code, 0);
    const int slot = static_cast<int>(c.stations.size());
    const StationRecord& rec = r.slot(slot);
    EXPECT_EQ(rec.position_m, c.stations.back().p);
    EXPECT_EQ(rec.kind, c.stations.back().kind);
    EXPECT_EQ(rec.start_m, c.start_m);
    EXPECT_EQ(rec.end_m, c.end_m);
    EXPECT_EQ(rec.param_c, c.param_c);
    EXPECT_EQ(stop_cells(r.s), c.stops);
    for (int n : c.stops) EXPECT_EQ(r.cell(n).value1, slot) << n;
    EXPECT_EQ(marked_cells(r.s), c.marks);
  }
}

TEST_F(ReaderTest, StoresEveryValueOfTheEntry) {
  read_train(train_file_from_origin(
      {"stazione,     800, 28,  300,  1, 2, 3,  -4,5,6,  7,8,9,   60,  12,11, 1, VIA DEI GELSI",
       "stazione,    2000, 28,  600,  1, 2, 3,  4,5,6,  7,8,9,   60,  -1,0, 30, S. ANNA "}));
  ASSERT_EQ(s.error_code, 0);
  const StationRecord& a = slot(1);
  EXPECT_EQ(a.param_a, 1);
  EXPECT_EQ(a.param_b, 0);  // first station
  EXPECT_EQ(a.param_c, 0);  // first station
  EXPECT_EQ(a.param_d, -4);
  EXPECT_EQ(a.param_e, 5);
  EXPECT_EQ(a.param_f, 6);
  EXPECT_EQ(a.param_g, 7);
  EXPECT_EQ(a.param_h, 8);
  EXPECT_EQ(a.param_i, 9);
  EXPECT_EQ(a.param_j, 60);
  EXPECT_EQ(a.time_s, 43861);
  EXPECT_EQ(a.name, "VIA DEI GELSI");
  const StationRecord& b = slot(2);
  EXPECT_EQ(b.param_b, 2);  // a 600 m platform keeps it
  EXPECT_EQ(b.param_c, 3);
  EXPECT_EQ(b.time_s, -3600 + 30);
  EXPECT_EQ(b.name, "S. ANNA ");
  EXPECT_EQ(b.end_m, 2000 + 300 + 50);
}

TEST(StationEntry, ShortPlatformsLoseParamB) {
  for (const int length : {500, 600}) {
    SCOPED_TRACE(length);
    ReaderRun r;
    r.read_train(
        train_file_from_origin(lines({{.p = 0, .b = 5}, {.p = 5000, .length = length, .b = 5}})));
    ASSERT_EQ(r.s.error_code, 0);
    EXPECT_EQ(r.slot(1).param_b, 0);
    EXPECT_EQ(r.slot(2).param_b, length >= 600 ? 5 : 0);
  }
}

// Faults of a station entry. The last station of each case is the faulty one.
TEST(StationEntry, Faults) {
  struct Case {
    const char* name;
    std::vector<Station> stations;
    std::int32_t code, position;
    bool fills_ran;  // code 15 goes on to the end-of-pass fills; the others stop at once
    int kind_stored;
  };
  const Case cases[] = {
      {"beyond the table", {{.p = 24201, .kind = 22}}, 15, 24201, true, 0},
      {"position not a multiple of 50", {{.p = 2925, .kind = 22}}, 8, 2925, false, 0},
      {"length not a multiple of 100",
       {{.p = 2900, .kind = 22, .length = 350}},
       9,
       2900,
       false,
       22},
      {"stop cell at index 1", {{.p = 0, .kind = 22, .length = 200}}, 24, 0, false, 22},
      {"platforms 300 m apart", {{.p = 2250}, {.p = 2850}}, 22, 2850, false, 26},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReaderRun r;
    std::vector<std::string> body = lines(c.stations);
    body.push_back("aderenza, 1000, 50");  // not reached after the fault
    r.read_train(train_file_from_origin(body));
    EXPECT_EQ(r.s.error_code, c.code);
    EXPECT_EQ(r.s.error_position, c.position);
    EXPECT_FALSE(r.train_file_left());
    const StationRecord& rec = r.slot(static_cast<int>(c.stations.size()));
    EXPECT_EQ(rec.position_m, c.stations.back().p);
    EXPECT_EQ(rec.kind, c.kind_stored);
    EXPECT_EQ(r.cell(10).adhesion, c.fills_ran ? 100 : 0);
    EXPECT_EQ(r.cell(0).speed_limit, c.fills_ran ? 6 : 0);
  }
}

TEST(StationEntry, PlatformsExactly350MetresApartAreAccepted) {
  ReaderRun r;
  r.read_train(train_file_from_origin(lines({{.p = 2250}, {.p = 2900}})));
  EXPECT_EQ(r.s.error_code, 0);
  EXPECT_EQ(r.slot(2).position_m, 2900);
}

TEST(StationEntry, StationsStayBelowTheSignboardSlots) {
  {
    // Without signboards the 79th station, already stored in slot 79, ends the pass.
    std::vector<Station> stations;
    for (int k = 0; k < 79; ++k) stations.push_back({.p = k * 700});
    ReaderRun r;
    r.read(crlf({"[generale]", "lunghezza percorso, 60000", "[fine]"}),
           train_file_from_origin(lines(stations)));
    EXPECT_EQ(r.s.error_code, 10);
    EXPECT_EQ(r.s.error_position, 0);
    EXPECT_EQ(r.slot(78).position_m, 77 * 700);
    EXPECT_EQ(r.slot(79).position_m, 78 * 700);
  }
  {
    // 77 signboards take slots 80 down to 4; the second station would meet them.
    std::vector<std::string> boards;
    for (int k = 0; k < 77; ++k)
      boards.push_back("cartello indicat, " + std::to_string(k * 50) + ", B");
    ReaderRun r;
    r.read(line_file_with(boards), train_file_from_origin(lines({{.p = 5000}, {.p = 6000}})));
    EXPECT_EQ(r.s.error_code, 10);
    EXPECT_EQ(r.slot(2).position_m, 6000);
    EXPECT_EQ(r.slot(4).name, "B");
    EXPECT_EQ(r.slot(3).name, "");
  }
}

TEST(StationEntry, StopCellAndMarksIgnoreWhatTheCellsHeld) {
  ReaderRun r;
  r.read_train(train_file_from_origin(
      {"segnale, 10850, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0", Station{.p = 10800, .kind = 22}.line()}));
  EXPECT_EQ(r.s.error_code, 0);
  EXPECT_EQ(r.cell(218).kind, kStationStop);
  EXPECT_EQ(r.cell(218).value1, 1);
  EXPECT_EQ(r.cell(217).approach_mark, 81);
}

TEST(StationEntry, RunTimeFailures) {
  struct Case {
    const char* name;
    std::string line;
  };
  const Case cases[] = {
      {"kind above 255", Station{.p = 5000, .kind = 256}.line()},
      {"sixteen-bit value too large",
       "stazione, 5000, 26, 300, 0, 0, 0, 40000, 0, 0, 0, 0, 0, 0, 12, 10, 0, X"},
      {"time beyond 32 bits",
       "stazione, 5000, 26, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1000000, 0, 0, X"},
      {"name missing at the end of the file",
       "stazione, 5000, 26, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 10, 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReaderRun r;
    write_bytes(line_file_name(r.s), line_file_with({}));
    // No "[fine]": the entry is the last thing in the file.
    write_bytes(train_file_name(r.s), crlf({"[generale]", c.line}));
    memorizza_dati(r.s);
    EXPECT_EQ(r.s.error_code, 25);
    EXPECT_FALSE(r.train_file_left());
    EXPECT_TRUE(stop_cells(r.s).empty());
    EXPECT_TRUE(marked_cells(r.s).empty());
  }
}

// A stop cell beyond the table fails the reading; the approach marks written before it, which
// lie inside the table, stay (nothing is undone).
TEST(StationEntry, StopCellBeyondTheTableFailsAfterItsMarks) {
  ReaderRun r;
  write_bytes(line_file_name(r.s), line_file_with({}));
  write_bytes(train_file_name(r.s),
              crlf({"[generale]", Station{.p = 24200, .kind = 7, .length = 900}.line(), "[fine]"}));
  memorizza_dati(r.s);
  EXPECT_EQ(r.s.error_code, 25);
  EXPECT_FALSE(r.train_file_left());
  EXPECT_TRUE(stop_cells(r.s).empty());
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(r.cell(501 - k).approach_mark, 80 + k) << k;
}

}  // namespace
}  // namespace sb::test
