#include "model/rounding.h"

#include <cfenv>
#include <cmath>

namespace sb {

double round_half_even(double q) {
  // nearbyint follows the current rounding mode, which is round-to-nearest-even unless a
  // caller changed it; this program never does.
  return std::nearbyint(q);
}

std::optional<std::int32_t> round_to_int32(double q) {
  const double r = round_half_even(q);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) return std::nullopt;  // also rejects NaN
  return static_cast<std::int32_t>(r);
}

}  // namespace sb
