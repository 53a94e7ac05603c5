// The route plan: one point per metre, straight between curves and turning at a constant
// rate inside each curve. Each point is computed once from the two before it.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/scenario.h"

namespace sb {

// The point index, the next point to compute, and the two points before it (metres k - 2 and
// k - 1), from which the next step starts: the plan is never read back.
struct RouteBuilder {
  std::int32_t k = 0;
  RouteTail tail;
};

// Points 0 and 1 as the 16-bit integers (0, 0) and (0, 1); the index becomes 2.
void start_route(Scenario& s, RouteBuilder& route);

// Curvature of a curve keyword field, per metre: the first class digit 1 to 6 found (tested in
// that order) gives the magnitude, an "s" in the field turns it to the negative side.
// Returns 0 when the field holds no class digit.
double curve_curvature(std::string_view keyword);

// One curve entry at p metres, n metres long: straight up to p, then turning up to p + n.
// Returns false (after recording `Fault::kBadCurve`) when the index passes 1 000 000.
bool add_curve(Scenario& s, RouteBuilder& route, double c, std::int32_t p, std::int32_t n);

// Straight on to metre extended_length - 2.
void extend_route(Scenario& s, RouteBuilder& route);

}  // namespace sb
