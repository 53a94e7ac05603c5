// A test fixture for the reader: writes a line file and a train file into a fresh folder under
// the scenario's own file names and reads them with memorizza_dati.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/file_names.h"
#include "reader/memorizza_dati.h"
#include "test_support.h"

namespace sb::test {

// A line file with an 18000 m route (cell_count 500) and the given body lines.
inline std::string line_file_with(const std::vector<std::string>& body) {
  std::vector<std::string> lines{"[generale]", "lunghezza percorso,    18000", "[curve]"};
  lines.insert(lines.end(), body.begin(), body.end());
  lines.push_back("[fine]");
  return crlf(lines);
}

// A train file with the given lines after "[generale]".
inline std::string train_file_with(const std::vector<std::string>& body) {
  std::vector<std::string> lines{"[generale]"};
  lines.insert(lines.end(), body.begin(), body.end());
  lines.push_back("[fine]");
  return crlf(lines);
}

// A train file whose speed and adhesion lists start at 0 with 30 km/h and adhesion 100, as
// the built-in one does, followed by `body`.
inline std::string train_file_from_origin(const std::vector<std::string>& body) {
  std::vector<std::string> lines{"aderenza,   0,    100", "velocita,   0,    30"};
  lines.insert(lines.end(), body.begin(), body.end());
  return train_file_with(lines);
}

// One reading in a folder of its own.
class ReaderRun {
 public:
  ReaderRun() : s(builtin_scenario(dir.path())) {}

  // Writes the given files (an empty text writes no file) and reads them.
  void read(const std::string& line_text, const std::string& train_text, int geometry = 0) {
    if (!line_text.empty()) write_bytes(line_file_name(s), line_text);
    if (!train_text.empty()) write_bytes(train_file_name(s), train_text);
    s.write_geometry = geometry;
    memorizza_dati(s);
  }
  // Reads a train file after the default line file.
  void read_train(const std::string& train_text) { read(line_file_with({}), train_text); }

  bool line_file_left() const { return exists(line_file_name(s)); }
  bool train_file_left() const { return exists(train_file_name(s)); }
  const TrackCell& cell(int n) const { return s.track_table.at(static_cast<std::size_t>(n)); }
  const StationRecord& slot(int n) const { return s.station_table.at(static_cast<std::size_t>(n)); }

  TempDir dir;
  Scenario s;
};

class ReaderTest : public ::testing::Test, public ReaderRun {};

// True when route point k is the step with curvature c (0: straight) from the two points
// before it, computed in the order the route plan uses.
inline bool step_at(const RouteMatrix& m, int k, double c) {
  const double dx = m.number(k - 1, 0) - m.number(k - 2, 0);
  const double dy = m.number(k - 1, 1) - m.number(k - 2, 1);
  return m.number(k, 0) == m.number(k - 1, 0) + (dx + c * dy) &&
         m.number(k, 1) == m.number(k - 1, 1) + (dy - c * dx);
}

}  // namespace sb::test
