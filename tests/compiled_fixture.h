// A small compiled scenario, written by the library's own output writer, for the tests that
// read compiled files back: five track cells holding a header, a signal, a station stop and a
// speed board with extreme values; two stations and a signboard whose names hold the bytes
// that listings and pictures must escape; and a 200 m route plan with every element tag.
#pragma once

#include <string>

#include "compiler/output_files.h"
#include "model/scenario.h"

namespace sb::test {

// Names that need escaping in JSON, XML and a terminal: markup characters, quotes, a
// backslash, a control byte and a Latin-1 letter.
inline const std::string kMarkupName = "A & B <C> \"D\" 'E' \\F";
inline const std::string kByteName = std::string("CITT\xE0\x01X");

inline Scenario compiled_fixture(const std::string& folder) {
  Scenario s;
  set_names(s, "Prova", "L1");
  s.output_folder = folder;
  s.write_geometry = 1;
  s.extended_length = 200;
  s.cell_count = 4;

  s.track_table.resize(5);
  s.track_table[0] = TrackCell{0, 0, 0, 0, 0, 0, 0, 0, 6, 100, 100};
  s.track_table[1] = TrackCell{0, 5121, -2, 0, 0, 0, 0, 0, 6, 100, 100};
  s.track_table[2] = TrackCell{kSignal, -32768, 21, -1, 32767, 255, 84, 3, 255, 0, 7};
  s.track_table[3] = TrackCell{kStationStop, 1, 0, 0, 0, 0, 0, 3, 12, 105, 100};
  s.track_table[4] = TrackCell{kSpeedBoard, 1616, 1212, 2020, 11, 0, 0, 0, 12, 95, 100};

  auto& t = s.station_table;
  t[1].kind = 22;
  t[1].start_m = -100;
  t[1].end_m = 100;
  t[1].position_m = 50;
  t[1].name = kMarkupName;
  t[1].time_s = 82875;
  t[2].kind = 6;
  t[2].position_m = 120;
  t[2].end_m = 150;
  t[2].name = kByteName;
  t[2].param_i = -7;
  t[80].name = "BOARD";
  t[kTrainDataSlot].start_m = 100;
  t[kTrainDataSlot].end_m = 150;
  t[kTrainDataSlot].position_m = 3;
  t[kScenarioSlot].name = "Prova";
  t[kScenarioSlot].start_m = 1;
  t[kScenarioSlot].param_d = 610;
  t[kScenarioSlot].time_s = 1234;
  t[kLineSlot].name = "L1";
  t[kLineSlot].param_g = 12;

  // A bend: the first coordinate grows with the square of the chainage; values that have no
  // short decimal form test that the listing gives them back exactly.
  s.route_matrix.allocate(200);
  s.route_matrix.set_int16(0, 0, 0);
  s.route_matrix.set_int16(0, 1, 0);
  s.route_matrix.set_int16(1, 0, 0);
  s.route_matrix.set_int16(1, 1, 1);
  for (std::int32_t m = 2; m <= 198; ++m) {
    s.route_matrix.set_float64(m, 0, m * m / 3000.0);
    s.route_matrix.set_float64(m, 1, m - 1.0 / 3.0);
  }
  return s;
}

// Writes the fixture's three files into `folder`.
inline void write_compiled_fixture(const std::string& folder) {
  write_output_files(compiled_fixture(folder));
}

}  // namespace sb::test
