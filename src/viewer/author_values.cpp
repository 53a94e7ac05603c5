#include "viewer/author_values.h"

#include <cstdio>
#include <cstdlib>

#include "model/speed_board_packing.h"

namespace sb {
namespace {

std::string list3(const std::array<int, 3>& v) {
  return std::to_string(v[0]) + ", " + std::to_string(v[1]) + ", " + std::to_string(v[2]);
}

}  // namespace

int speed_kmh(std::uint8_t speed_limit) {
  return speed_limit * 5;
}

int gradient_per_mille(std::uint8_t gradient) {
  return gradient - 100;
}

std::string signed_text(std::int64_t value) {
  return (value > 0 ? "+" : "") + std::to_string(value);
}

std::string clock_text(std::int64_t seconds) {
  const std::int64_t t = std::llabs(seconds);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%s%02lld:%02lld:%02lld", seconds < 0 ? "-" : "",
                static_cast<long long>(t / 3600), static_cast<long long>(t / 60 % 60),
                static_cast<long long>(t % 60));
  return buffer;
}

std::string metres_text(std::int64_t metres) {
  return std::to_string(metres) + " m";
}

SpeedBoardReading read_speed_board(const TrackCell& cell) {
  SpeedBoardReading board;
  const std::int16_t values[3] = {cell.value1, cell.value2, cell.value3};
  for (int k = 0; k < 3; ++k) {
    const SpeedPair pair = unpack_speeds(values[k]);
    board.s_kmh[k] = pair.s_kmh;
    board.d_kmh[k] = pair.d_kmh;
  }
  board.stripes_s = cell.value4 / 10;
  board.stripes_d = cell.value4 % 10;
  return board;
}

std::string speed_board_text(const SpeedBoardReading& board) {
  return "s " + list3(board.s_kmh) + " km/h, stripes " + std::to_string(board.stripes_s) + "; d " +
         list3(board.d_kmh) + " km/h, stripes " + std::to_string(board.stripes_d);
}

std::string speed_board_label(const SpeedBoardReading& board) {
  auto side = [](const std::array<int, 3>& v) {
    if (v[0] == v[1] && v[1] == v[2]) return std::to_string(v[0]);
    return std::to_string(v[0]) + "/" + std::to_string(v[1]) + "/" + std::to_string(v[2]);
  };
  if (board.s_kmh == board.d_kmh) return side(board.s_kmh);
  return side(board.s_kmh) + " | " + side(board.d_kmh);
}

SignalReading read_signal(const TrackCell& cell) {
  SignalReading signal;
  const std::int16_t pairs[3] = {cell.value1, cell.value2, cell.value3};
  for (int k = 0; k < 3; ++k) {
    signal.s[k] = pairs[k] / 10;
    signal.d[k] = pairs[k] % 10;
  }
  signal.rapp = cell.value4 / 10;
  const int sides = cell.value4 % 10;
  signal.sx = sides / 3;
  signal.dx = sides % 3;
  if (signal.sx == 2) signal.tempo = cell.signal_time;
  return signal;
}

std::string signal_text(const SignalReading& signal) {
  std::string text = "sx " + std::to_string(signal.sx);
  for (int k = 0; k < 3; ++k) {
    text += ", s" + std::to_string(k + 1) + " " + std::to_string(signal.s[k]);
  }
  text += ", rapp " + std::to_string(signal.rapp) + ", dx " + std::to_string(signal.dx);
  for (int k = 0; k < 3; ++k) {
    text += ", d" + std::to_string(k + 1) + " " + std::to_string(signal.d[k]);
  }
  text += signal.tempo ? ", tempo " + std::to_string(*signal.tempo) : ", tempo not kept";
  return text;
}

std::string slow_order_values_text(const TrackCell& cell) {
  std::string text = std::to_string(cell.value1) + " km/h";
  if (cell.value2 != 0) text += ", second speed " + std::to_string(cell.value2) + " km/h";
  return text;
}

}  // namespace sb
