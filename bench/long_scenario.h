// A long scenario for the benchmarks and the tests: the line file and the train file of a
// 1 000 000 m route that compiles without any fault.
//
// The route is cut into 78 blocks of 12 800 m (256 cells). Every block holds the same pattern
// of objects, at fixed cells r counted from the block's first cell:
//
//   r = 3           station stop (kinds 22, 26, 28, 7, 5; the last station is of kind 6)
//   r = 10, 230     speed boards
//   r = 60, 200     signals
//   r = 86          a signal 10 cells before the slow order's warning board (it gets a point)
//   r = 92 .. 95    pre-warning cells (in two blocks out of three)
//   r = 96          the warning board, 1200 m before the slow order
//   r = 102 .. 115  the three bands of generated points before the start
//   r = 120 .. 140  the slow order (speed 60 or 120; points along it when the speed is 60)
//   r = 146         the first signal after the slow order's end (it gets a point)
//   r = 170         an "abbattimento" point (with or without a value)
//
// so that every protection rule of the compiler finds its room. Four curves per block run
// through all six classes on both sides; 80 mountain-side stretches (the most the reader
// takes), two gradients and one speed limit per block complete the line.
//
// Header-only, and free of the library, so that a test and the benchmarks can both use it.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

namespace sb::bench {

inline constexpr int kLongRouteLength = 1000000;
inline constexpr int kLongBlocks = 78;
inline constexpr int kLongStations = kLongBlocks;
inline constexpr int kLongMountainStretches = 80;
inline constexpr int kLongCurvesPerBlock = 4;
inline constexpr int kLongBlockMetres = 12800;

// Cells of a block, from its first cell, as in the table above.
namespace long_cells {
inline constexpr int kSpeedBoards[] = {10, 230};
inline constexpr int kSignals[] = {60, 86, 146, 200};
inline constexpr int kSlowOrderStart = 120;
inline constexpr int kSlowOrderCells = 20;
inline constexpr int kAbbattimento = 170;
}  // namespace long_cells

struct LongScenarioText {
  std::string line_file;
  std::string train_file;
};

namespace detail {

inline void add_line(std::string& text, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

inline void add_line(std::string& text, const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (n < 0 || static_cast<std::size_t>(n) >= sizeof buffer) {
    throw std::length_error("a scenario line does not fit its buffer");
  }
  text.append(buffer, static_cast<std::size_t>(n));
  text.append("\r\n");
}

// The position in metres of a point object in cell r of block b: cell n lies at (n - 1) x 50.
inline int point_position(int block, int r) {
  return block * kLongBlockMetres + (r - 1) * 50;
}

inline std::string line_file() {
  std::string t;
  add_line(t, "[generale]");
  add_line(t, "lunghezza percorso,    %d", kLongRouteLength);
  add_line(t, "progressiva chilometrica uno,    0,    0,    0");
  add_line(t, "progressiva chilometrica due,    0,    0,    0");
  add_line(t, "progressiva chilometrica tre,    0,    0,    0");
  add_line(t, "sfondo uno,    2");
  add_line(t, "sfondo due,    1");
  add_line(t, "sfondo tre,    0");
  add_line(t, "ripetizione segnali 4 codici,    0    ,0");

  add_line(t, "[curve]");
  static constexpr int kCurveStarts[kLongCurvesPerBlock] = {1500, 4500, 7500, 10500};
  int curve = 0;
  for (int b = 0; b < kLongBlocks; ++b) {
    for (const int start : kCurveStarts) {
      const int cls = curve % 6 + 1;                  // every class ...
      const char side = (curve / 6) % 2 ? 's' : 'd';  // ... on both sides
      const int length = 300 + 100 * (curve % 6);
      add_line(t, "curva%c%d,  %d,  %d", side, cls, b * kLongBlockMetres + start, length);
      ++curve;
    }
  }

  add_line(t, "[pendenze]");
  for (int b = 0; b < kLongBlocks; ++b) {
    add_line(t, "pendenza, %d, %d", b * kLongBlockMetres + 1000, b % 13 - 6);
    add_line(t, "pendenza, %d, %d", b * kLongBlockMetres + 6500, -(b % 7));
  }

  add_line(t, "[montagne]");
  static constexpr int kMountainTypes[] = {12, 1, 2, 14};
  for (int k = 0; k < kLongMountainStretches; ++k) {
    const int from = k * 12400 + 2000;
    add_line(t, "montagna,   %d,  %d,  %d", from, from + 3000, kMountainTypes[k % 4]);
  }

  add_line(t, "[cartelli]");
  static constexpr int kSpeeds[] = {60, 80, 100, 120};
  for (int b = 0; b < kLongBlocks; ++b) {
    for (const int r : long_cells::kSpeedBoards) {
      const int v = kSpeeds[(b + r) % 4];
      const int stripes = b % 4;
      add_line(t, "indicatori_vmax,  %d,  %d,  %d,  %d,  %d,  %d,  %d,  %d,  %d",
               point_position(b, r), v, v, v, stripes, v, v, v, stripes);
    }
  }
  add_line(t, "[indicazioni]");
  add_line(t, "[fine]");
  return t;
}

inline void station_line(std::string& t, int b) {
  static constexpr int kKinds[] = {22, 26, 28, 7, 5};
  const int position = b * kLongBlockMetres;
  int kind = kKinds[b % 5];
  if (b == 0) kind = 22;
  if (b == kLongStations - 1) kind = 6;
  const int platform = kind == 22 || kind == 6 ? 400 : 300;
  const int time = (7 * 60 + 30) * 60 + b * 150;  // a stop every two and a half minutes
  add_line(t,
           "stazione, %8d, %2d, %4d,  %d, %d, %d,  0,0,0,  %d,1,1,   60,  %d,%d,%d, FERMATA %02d",
           position, kind, platform, b % 3, 1, b % 2, b % 4, time / 3600, time / 60 % 60, time % 60,
           b + 1);
}

inline std::string train_file() {
  std::string t;
  add_line(t, "[generale]");
  add_line(t, "numero vetture,    6");
  add_line(t, "percentuale massa frenata,    90");
  add_line(t, "sabbia,    1");
  add_line(t, "orologio,    7              29             0 ");

  add_line(t, "[aderenze]");
  add_line(t, "aderenza,   0,    100");
  for (int b = 5; b < kLongBlocks; b += 10) {
    add_line(t, "aderenza,   %d,    %d", b * kLongBlockMetres + 3000, b % 20 == 5 ? 80 : 100);
  }

  add_line(t, "[vel_limite]");
  add_line(t, "velocita,   0,    80");
  static constexpr int kLimits[] = {60, 80, 100, 120, 140};
  for (int b = 0; b < kLongBlocks; ++b) {
    add_line(t, "velocita,   %d,    %d", b * kLongBlockMetres + 2000, kLimits[b % 5]);
  }

  add_line(t, "[stazioni]");
  for (int b = 0; b < kLongStations; ++b) station_line(t, b);

  add_line(t, "[rallentamenti]");
  for (int b = 0; b < kLongBlocks; ++b) {
    const int speed = b % 2 == 0 ? 60 : 120;
    const int pre_warning = b % 3 != 2 ? 1 : 0;
    const int second_speed = b % 4 == 1 ? 70 : 0;
    add_line(t, "rallentamento, %d, %d, %d, 1, %d, %d",
             point_position(b, long_cells::kSlowOrderStart), speed,
             long_cells::kSlowOrderCells * 50, pre_warning, second_speed);
  }

  add_line(t, "[segnali]");
  for (int b = 0; b < kLongBlocks; ++b) {
    int k = 0;
    for (const int r : long_cells::kSignals) {
      const int sx = (b + k) % 3;
      const int dx = (b + 2 * k) % 3;
      const int tempo = k == 1 ? 30 : (k == 3 ? 150 : 0);
      add_line(t, "segnale,   %d,   %d, %d, %d,  %d, %d,    %d,  %d,%d,%d, %d",
               point_position(b, r), sx, 1 + k % 3, k % 2, 0, b % 2, dx, 2, 0, k % 2, tempo);
      ++k;
    }
    // "abbattimento" points go to cell round(x / 50), one cell before the point objects.
    add_line(t, "abbattimento, %d, %d", b * kLongBlockMetres + long_cells::kAbbattimento * 50,
             b % 2 == 0 ? 150 : 0);
  }
  add_line(t, "[codici]");
  add_line(t, "[fine]");
  return t;
}

inline void write_text(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace detail

inline LongScenarioText make_long_scenario() {
  return {detail::line_file(), detail::train_file()};
}

// Writes the line file `scenario`_linea.txt and the train file `scenario`_`line`-.txt into
// `folder`. Throws std::runtime_error when a file cannot be written.
inline void write_long_scenario(const std::string& folder, const std::string& scenario,
                                const std::string& line) {
  const LongScenarioText text = make_long_scenario();
  detail::write_text(folder + "/" + scenario + "_linea.txt", text.line_file);
  detail::write_text(folder + "/" + scenario + "_" + line + "-.txt", text.train_file);
}

}  // namespace sb::bench
