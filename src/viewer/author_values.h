// The values of the compiled files read back as the author wrote them in the scenario text
// files: speeds in km/h, gradients with their sign, times of day, and the packed values of
// signals and speed boards taken apart again.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/track_cell.h"

namespace sb {

// A cell's speed limit is stored in units of 5 km/h.
int speed_kmh(std::uint8_t speed_limit);
// A cell's gradient is stored plus 100.
int gradient_per_mille(std::uint8_t gradient);

// "+12", "-8" or "0".
std::string signed_text(std::int64_t value);
// Seconds since midnight as "hh:mm:ss"; hours go on counting past 23, a negative time has a
// leading "-".
std::string clock_text(std::int64_t seconds);
// "3000 m".
std::string metres_text(std::int64_t metres);

// A speed board ("indicatori_vmax"): three speeds and a stripe count for each side, s and d.
// Each speed pair is stored as vas x 20 + vad / 5, which gives both back for speeds that are
// multiples of 5 below 500 km/h; the stripes are stored as strisces x 10 + strisced.
struct SpeedBoardReading {
  std::array<int, 3> s_kmh{};  // vas, vbs, vcs
  int stripes_s = 0;           // strisces
  std::array<int, 3> d_kmh{};  // vad, vbd, vcd
  int stripes_d = 0;           // strisced
};
SpeedBoardReading read_speed_board(const TrackCell& cell);
// "s 60, 60, 60 km/h, stripes 0; d 60, 60, 60 km/h, stripes 0".
std::string speed_board_text(const SpeedBoardReading& board);
// A short label: the speeds of one side, "60" when its three agree or "60/50/40"; both sides,
// "60 | 80", when they differ.
std::string speed_board_label(const SpeedBoardReading& board);

// A signal ("segnale"): each pair s, d is stored as s x 10 + d, and rapp, sx, dx as
// rapp x 10 + sx x 3 + dx, which gives them back when each is a single digit (and dx below 3).
// Its tempo is kept only when sx is 2, and a tempo of 1 to 100 is kept as 101.
struct SignalReading {
  int sx = 0;
  std::array<int, 3> s{};  // s1, s2, s3
  int rapp = 0;
  int dx = 0;
  std::array<int, 3> d{};  // d1, d2, d3
  std::optional<int> tempo;
};
SignalReading read_signal(const TrackCell& cell);
// "sx 2, s1 3, s2 0, s3 0, rapp 0, dx 2, d1 2, d2 0, d3 0, tempo 0", in the order of the entry.
std::string signal_text(const SignalReading& signal);

// A slow order's values as its cells keep them: the speed (value1), the second speed
// (value2, 0 when none was given) and the value f_tt (value3).
std::string slow_order_values_text(const TrackCell& cell);

}  // namespace sb
