// The curves of a route, found again in its plan. Inside a curve the route turns by the same
// angle every metre (its curvature); the compiled files keep no list of curves, but the turn
// between two successive metres of the route matrix gives the curvature back, and with it the
// curve's class and the side it turns to.
#pragma once

#include <cstdint>
#include <vector>

#include "model/route_matrix.h"

namespace sb {

struct RouteCurve {
  std::int64_t from_m = 0;  // the metre where the route starts to turn
  std::int64_t to_m = 0;    // the last metre that turns
  double curvature = 0.0;   // radians per metre; positive turns right ("curvad"), negative
                            // left ("curvas")
  int curve_class = 0;      // the class digit 1 to 6 of the curve keyword; 0 when the
                            // curvature is none of theirs
};

// The curvature of a class digit 1 to 6 (per metre); 0 for any other digit.
double class_curvature(int curve_class);

// The curves between metre 0 and `last`, in order. A curve ends where the turn stops or
// changes; two curves of the same class that follow without a straight metre between them
// read as one.
std::vector<RouteCurve> find_route_curves(const RouteMatrix& route, std::int64_t last);

}  // namespace sb
