// Scenarios of a chosen size, for the table of how the cost grows: a line of a given route
// length, and line and train files of a given number of entries.
//
// Header-only, and free of the library, like long_scenario.h.
#pragma once

#include <string>

#include "long_scenario.h"

namespace sb::bench {

// A line of `length` metres with a curve every 4 000 m (every class, both sides), a gradient
// every 1 000 m, and a train file with a speed limit every 5 000 m.
inline LongScenarioText route_of_length(int length) {
  using detail::add_line;
  LongScenarioText t;
  std::string& line = t.line_file;
  add_line(line, "[generale]");
  add_line(line, "lunghezza percorso,    %d", length);
  add_line(line, "[curve]");
  for (int p = 1000, k = 0; p + 1000 < length; p += 4000, ++k) {
    add_line(line, "curva%c%d,  %d,  %d", k / 6 % 2 ? 's' : 'd', k % 6 + 1, p, 300 + 100 * (k % 6));
  }
  add_line(line, "[pendenze]");
  for (int p = 1000; p < length; p += 1000) add_line(line, "pendenza, %d, %d", p, p / 1000 % 9 - 4);
  add_line(line, "[fine]");

  std::string& train = t.train_file;
  add_line(train, "[generale]");
  add_line(train, "aderenza,   0,    100");
  add_line(train, "velocita,   0,    80");
  for (int p = 5000; p < length; p += 5000)
    add_line(train, "velocita,   %d,    %d", p, 60 + p / 5000 % 5 * 20);
  add_line(train, "[fine]");
  return t;
}

// A 1 000 000 m line whose line file holds `entries` gradient entries and whose train file
// holds `entries` speed-limit entries: the first 20 000 of each at every 50 m, the rest at
// 0 m, where an entry sets its value without filling a cell (so any number of them stays
// within the track).
inline LongScenarioText entries_per_file(int entries) {
  using detail::add_line;
  LongScenarioText t;
  add_line(t.line_file, "[generale]");
  add_line(t.line_file, "lunghezza percorso,    1000000");
  add_line(t.line_file, "[pendenze]");
  add_line(t.train_file, "[generale]");
  add_line(t.train_file, "aderenza,   0,    100");
  add_line(t.train_file, "[vel_limite]");
  for (int k = 0; k < entries; ++k) {
    const int p = k < 20000 ? 50 * k : 0;
    add_line(t.line_file, "pendenza, %d, %d", p, k % 9 - 4);
    add_line(t.train_file, "velocita, %d, %d", p, 60 + k % 5 * 20);
  }
  add_line(t.line_file, "[fine]");
  add_line(t.train_file, "[fine]");
  return t;
}

// Writes the two text files of `text` as scenario `scenario`, line `line`, into `folder`.
inline void write_scenario_text(const std::string& folder, const std::string& scenario,
                                const std::string& line, const LongScenarioText& text) {
  detail::write_text(folder + "/" + scenario + "_linea.txt", text.line_file);
  detail::write_text(folder + "/" + scenario + "_" + line + "-.txt", text.train_file);
}

}  // namespace sb::bench
