// The entries of a scenario's two text files as the decompiler recovers them from the
// compiled files: what an author would have written, in the order it has to be read back.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sb {

// A position and one value ("pendenza", "velocita", "aderenza", "abbattimento").
struct PlacedValue {
  std::int64_t position = 0;
  std::int64_t value = 0;
};

struct CurveEntry {
  std::int64_t position = 0;  // the last straight metre before the turn
  std::int64_t length = 0;    // metres that turn
  int curve_class = 1;        // 1 to 6
  bool left = false;          // "curvas" (turns left) or "curvad"
};

struct StretchEntry {
  std::int64_t inizio = 0, fine = 0, tipo = 0;
};

// "indicatori_vmax": the position, then vas, vbs, vcs, strisces, vad, vbd, vcd, strisced.
struct SpeedBoardEntry {
  std::int64_t position = 0;
  std::array<std::int64_t, 8> values{};
};

struct SignboardEntry {
  std::int64_t position = 0;
  std::string text;
};

// "rallentamento": x, v, l, f_tt, f_ta, d_v.
struct SlowOrderEntry {
  std::array<std::int64_t, 6> values{};
};

// "segnale": the position, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo.
struct SignalEntry {
  std::array<std::int64_t, 11> values{};
};

// "stazione": sixteen numbers, then the name.
struct StationEntry {
  std::array<std::int64_t, 16> values{};
  std::string name;
};

// A signal or a station, in the one order in which both have to be read (their approach marks
// may overwrite each other).
struct MarkedEntry {
  bool station = false;
  std::size_t index = 0;  // into `signals` or `stations`
};

struct LineEntries {
  std::int64_t route_length = 0;
  // "progressiva chilometrica uno", "due", "tre", in that order: the three values of each.
  std::array<std::array<std::int64_t, 3>, 3> chainage{};
  std::array<std::int64_t, 3> background{};  // "sfondo uno", "due", "tre"
  char repetition_codes = '4';               // the digit in "ripetizione segnali 4 codici"
  std::array<std::int64_t, 2> repetition{};
  std::vector<CurveEntry> curves;
  std::vector<PlacedValue> gradients;
  std::vector<StretchEntry> stretches;
  std::vector<SpeedBoardEntry> speed_boards;
  std::vector<SignboardEntry> signboards;
};

struct TrainEntries {
  std::int64_t cars = 0, braked_mass = 0, sand = 0;
  std::array<std::int64_t, 3> clock{};
  std::vector<PlacedValue> adhesion;
  std::vector<PlacedValue> speed;
  std::vector<SlowOrderEntry> slow_orders;
  std::vector<StationEntry> stations;
  std::vector<SignalEntry> signals;
  std::vector<MarkedEntry> marked_order;
  std::vector<PlacedValue> abbattimenti;
};

struct DecompiledEntries {
  LineEntries line;
  TrainEntries train;
  bool has_route = false;  // false: the curves are unknown and none are written
};

}  // namespace sb
