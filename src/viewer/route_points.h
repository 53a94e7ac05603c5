// Reading the route matrix point by point for the plan: a metre has a point only when both of
// its coordinates are present and finite.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "model/route_matrix.h"

namespace sb {

struct PlanPoint {
  double x = 0.0;  // first coordinate of the route matrix
  double y = 0.0;  // second coordinate: the direction in which the route starts
};

// The point of a metre whose two coordinates are finite numbers, with one lookup each; none
// for a metre outside the matrix or with an empty or infinite coordinate.
inline std::optional<PlanPoint> point_if_any(const RouteMatrix& m, std::int64_t metre) {
  if (!m.contains(metre)) return std::nullopt;
  const auto k = static_cast<std::int32_t>(metre);
  const RouteElement x = m.get(k, 0);
  const RouteElement y = m.get(k, 1);
  if (x.tag == ElementTag::kEmpty || y.tag == ElementTag::kEmpty || !std::isfinite(x.value) ||
      !std::isfinite(y.value)) {
    return std::nullopt;
  }
  return PlanPoint{x.value, y.value};
}

inline bool has_point(const RouteMatrix& m, std::int64_t metre) {
  return point_if_any(m, metre).has_value();
}

// The point of a metre for which has_point holds.
inline PlanPoint point_at(const RouteMatrix& m, std::int64_t metre) {
  const auto k = static_cast<std::int32_t>(metre);
  return {m.number(k, 0), m.number(k, 1)};
}

}  // namespace sb
