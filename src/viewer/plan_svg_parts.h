// Pieces of the plan picture shared by the files that draw it.
#pragma once

#include <cmath>
#include <ostream>
#include <string>

#include "viewer/plan_scene.h"

namespace sb {

// The view box is kViewWidth x kViewHeight units.
inline constexpr double kViewWidth = 1000;
inline constexpr double kViewHeight = 1040;

// A rectangle of the view box.
struct ViewBox {
  double left, top, right, bottom;
  double width() const { return right - left; }
  double height() const { return bottom - top; }
};

// The largest of 1, 2 and 5 times a power of ten that is not above `limit` (limit > 0).
inline double nice_length(double limit) {
  const double power = std::pow(10.0, std::floor(std::log10(limit)));
  for (const double f : {5.0, 2.0, 1.0}) {
    if (f * power <= limit) return f * power;
  }
  return power;
}

// A distance in metres as "500 m" or "2 km".
std::string distance_label(double metres);

// The strip of the line along its chainage: speed limit, gradient and station stops.
void draw_strip(const PlanScene& scene, const ViewBox& box, std::ostream& out);

}  // namespace sb
