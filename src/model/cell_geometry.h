// The geometry of the track table: 50 m cells along the route, and a run-out of 7000 m after
// the route's end. A point object (a signal, a slow order, a speed board, a signboard) at p
// metres lies in cell round(p / 50 + 1), so cell n stands for the chainage (n - 1) x 50; the
// values that run from one position to the next (gradient, speed limit, adhesion, mountain
// side) are converted with round(p / 50), so there cell n starts at n x 50. The fractions are
// given here; each caller rounds them (halves to even) as its own step requires.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sb {

inline constexpr std::int32_t kCellLength = 50;  // metres
inline constexpr std::int32_t kRunOut = 7000;    // metres of track after the route's end

// "7000 m run-out", for the messages that name it.
inline std::string run_out_text() {
  return std::to_string(kRunOut) + " m run-out";
}

// p metres counted in cells: p / 50, exactly, before any rounding.
constexpr double in_cells(double metres) {
  return metres / kCellLength;
}

// The cell of a point object at p metres, before rounding: p / 50 + 1.
constexpr double point_cell_fraction(double metres) {
  return in_cells(metres) + 1;
}

// True when a chainage falls on a cell boundary (a multiple of 50).
constexpr bool on_cell_boundary(std::int64_t metres) {
  return metres % kCellLength == 0;
}

// The chainage of a point object in cell n: (n - 1) x 50.
constexpr std::int64_t point_chainage(std::int64_t n) {
  return (n - 1) * kCellLength;
}

// The chainage where cell n's running values start, and where a point object's cell n ends:
// n x 50.
constexpr std::int64_t layer_chainage(std::int64_t n) {
  return n * kCellLength;
}

// "5800 to 5850 m": the stretch of route that a point object's cell n stands for.
inline std::string cell_range(std::int64_t n) {
  return std::to_string(point_chainage(n)) + " to " + std::to_string(layer_chainage(n)) + " m";
}

}  // namespace sb
