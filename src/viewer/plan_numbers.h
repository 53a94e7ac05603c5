// Round numbers for the plan picture: tick spacings and distances as labels.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>

namespace sb {

// The largest of 1, 2 and 5 times a power of ten that is not above `limit` (limit > 0).
inline double nice_length(double limit) {
  const double power = std::pow(10.0, std::floor(std::log10(limit)));
  for (const double f : {5.0, 2.0, 1.0}) {
    if (f * power <= limit) return f * power;
  }
  return power;
}

// The smallest of 1, 2 and 5 times a power of ten that is not below `limit` (limit > 0).
inline double nice_length_above(double limit) {
  const double power = std::pow(10.0, std::floor(std::log10(limit)));
  for (const double f : {1.0, 2.0, 5.0}) {
    if (f * power >= limit) return f * power;
  }
  return 10 * power;
}

// A distance in metres as "500 m" or "2 km".
inline std::string distance_label(double metres) {
  char buffer[64];
  if (metres >= 1000) {
    std::snprintf(buffer, sizeof buffer, "%g km", metres / 1000);
  } else {
    std::snprintf(buffer, sizeof buffer, "%g m", metres);
  }
  return buffer;
}

}  // namespace sb
