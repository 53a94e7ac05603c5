// Reading the route matrix point by point for the plan: a metre has a point only when both of
// its coordinates are present and finite.
#pragma once

#include <cmath>
#include <cstdint>

#include "model/route_matrix.h"

namespace sb {

struct PlanPoint {
  double x = 0.0;  // first coordinate of the route matrix
  double y = 0.0;  // second coordinate: the direction in which the route starts
};

inline bool has_point(const RouteMatrix& m, std::int64_t metre) {
  if (!m.contains(metre)) return false;
  const auto k = static_cast<std::int32_t>(metre);
  for (int c = 0; c < 2; ++c) {
    if (m.tag(k, c) == ElementTag::kEmpty || !std::isfinite(m.number(k, c))) return false;
  }
  return true;
}

// The point of a metre for which has_point holds.
inline PlanPoint point_at(const RouteMatrix& m, std::int64_t metre) {
  const auto k = static_cast<std::int32_t>(metre);
  return {m.number(k, 0), m.number(k, 1)};
}

}  // namespace sb
