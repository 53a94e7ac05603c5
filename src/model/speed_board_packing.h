// How a speed board keeps a pair of speeds (one per side) in one 16-bit value, and how the
// value is read back: the s-side speed x 20 plus the d-side speed / 5, rounded; read back as
// the value / 100 x 5 (s side) and the value % 100 x 5 (d side). Multiples of 5 below 500
// come back as written; other speeds do not.
#pragma once

#include <cstdint>
#include <optional>

#include "model/rounding.h"

namespace sb {

// The packed value, or nothing when it does not fit 16 bits.
inline std::optional<std::int16_t> pack_speeds(std::int32_t s_side, std::int32_t d_side) {
  const double packed = static_cast<double>(std::int64_t{s_side} * 20) + d_side / 5.0;
  const double rounded = round_half_even(packed);
  if (!(rounded >= -32768 && rounded <= 32767)) return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

struct SpeedPair {
  int s_kmh = 0;
  int d_kmh = 0;
};

inline SpeedPair unpack_speeds(std::int16_t value) {
  return {value / 100 * 5, value % 100 * 5};
}

}  // namespace sb
