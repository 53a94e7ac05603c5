#include "compiler/stamping.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "compiler/error_stop.h"
#include "compiler/output_files.h"
#include "compiler/protection.h"
#include "format/track_file.h"
#include "model/file_names.h"
#include "test_support.h"

namespace sb::test {
namespace {

// The built-in line as the reader leaves it: 501 cells, the two names in slots 85 and 86.
Scenario read_scenario(const std::string& folder) {
  Scenario s = builtin_scenario(folder);
  s.write_geometry = 1;
  s.extended_length = 25000;
  s.cell_count = 500;
  s.track_table.resize(501);
  s.route_matrix.allocate(25000);
  s.station_table[kScenarioSlot].name = s.scenario_name;
  s.station_table[kLineSlot].name = s.line_name;
  return s;
}

// The tail of the compiler's entry point: protection pass, stamping, output files.
void compile(Scenario& s) {
  protect_track(s);
  if (stamp(s)) write_output_files(s);
}

TEST(Stamp, MarkersAndCodesOfTheBuiltinNames) {
  TempDir dir;
  Scenario s = read_scenario(dir.path());
  compile(s);
  EXPECT_EQ(s.track_table[1].value1, 5121);
  EXPECT_EQ(s.track_table[1].value2, 2436);
  EXPECT_EQ(s.station_table[kScenarioSlot].param_d, 610);
  EXPECT_EQ(s.station_table[kScenarioSlot].time_s, 32308);
  const std::string track = read_bytes(track_file_name(s));
  ASSERT_EQ(track.size(), 7515u);
  EXPECT_EQ(track.substr(15, 5), std::string("\x00\x01\x14\x84\x09", 5));
}

TEST(Stamp, FieldAlreadyInUseStopsBeforeAnyFileIsWritten) {
  struct Case {
    std::string name;
    std::function<void(Scenario&)> setup;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"station marker set", [](Scenario& s) { s.station_table[85].param_d = 1; },
       " Errore n. 1250"},
      {"a station stop in cell 1",
       [](Scenario& s) {
         s.track_table[1].kind = kStationStop;
         s.track_table[1].value1 = 3;
       },
       " Errore n. 1250"},
      {"station code set", [](Scenario& s) { s.station_table[85].time_s = -1; }, " Errore n. 1251"},
      {"track code set", [](Scenario& s) { s.track_table[1].value2 = 7; }, " Errore n. 1251"},
      {"marker and code both set: the marker is checked first",
       [](Scenario& s) {
         s.track_table[1].value1 = 1;
         s.track_table[1].value2 = 1;
       },
       " Errore n. 1250"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    Scenario s = read_scenario(dir.path());
    write_bytes(station_file_name(s), "earlier run");
    c.setup(s);
    try {
      compile(s);
      ADD_FAILURE() << "no error stop";
    } catch (const ErrorStop& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"Roccalta_ Valfiorita_LINEA 7.sim"});
    EXPECT_EQ(read_bytes(station_file_name(s)), "earlier run");
  }
}

TEST(Stamp, CodesComeFromTheNamesInTheStationTable) {
  Scenario s = read_scenario("");
  s.scenario_name = "other";  // the members are not what counts
  s.line_name = "names";
  s.station_table[kLineSlot].name = "linea 7";
  ASSERT_TRUE(stamp(s));
  EXPECT_EQ(s.track_table[1].value2, 2436);
  EXPECT_EQ(s.station_table[kScenarioSlot].time_s, 32308);
}

TEST(Stamp, WithoutCellOneNothingIsStamped) {
  Scenario none = read_scenario("");
  none.track_table.clear();
  EXPECT_FALSE(stamp(none));
  EXPECT_EQ(none.station_table[kScenarioSlot].param_d, 0);
  EXPECT_EQ(none.station_table[kScenarioSlot].time_s, 0);

  Scenario one_cell = read_scenario("");
  one_cell.cell_count = 0;
  one_cell.track_table.resize(1);
  EXPECT_FALSE(stamp(one_cell));
  EXPECT_EQ(one_cell.track_table[0], TrackCell{});
  EXPECT_EQ(one_cell.station_table[kScenarioSlot].param_d, 0);

  Scenario two_cells = read_scenario("");
  two_cells.cell_count = 1;
  two_cells.track_table.resize(2);
  EXPECT_TRUE(stamp(two_cells));
  EXPECT_EQ(two_cells.track_table[1].value1, 5121);
}

}  // namespace
}  // namespace sb::test
