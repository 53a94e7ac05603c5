// How each point of the route plan follows from the two before it.
#pragma once

#include <cstdint>

namespace sb {

// The last two points of the route plan: metre k - 2 at (x0, y0), metre k - 1 at (x1, y1).
struct RouteTail {
  double x0 = 0.0, y0 = 0.0;
  double x1 = 0.0, y1 = 0.0;
};

// Makes `n` steps from `tail`, handing each new point to emit(x, y) in order, and leaves the
// last two points in `tail`. A step takes the direction of the last metre, dx = x1 - x0 and
// dy = y1 - y0, and a curved one turns it by c radians: (x1 + (dx + c dy), y1 + (dy - c dx));
// a straight one does not: (x1 + dx, y1 + dy). Every operation is evaluated in the order
// written, without fused multiply-add (the build forbids contraction), so the points are the
// same to the last bit on every machine. Inline, so that whatever `emit` does runs in the
// time the arithmetic of each step waits for the step before.
template <bool kCurved, typename Emit>
inline void route_steps(RouteTail& tail, std::int64_t n, double c, Emit&& emit) {
  double x0 = tail.x0, y0 = tail.y0, x1 = tail.x1, y1 = tail.y1;
  for (std::int64_t i = 0; i < n; ++i) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    double x, y;
    if constexpr (kCurved) {
      x = x1 + (dx + c * dy);
      y = y1 + (dy - c * dx);
    } else {
      x = x1 + dx;
      y = y1 + dy;
    }
    emit(x, y);
    x0 = x1;
    y0 = y1;
    x1 = x;
    y1 = y;
  }
  tail = {x0, y0, x1, y1};
}

// The same, curved or straight as `curved` says.
template <typename Emit>
inline void route_steps(RouteTail& tail, std::int64_t n, double c, bool curved, Emit&& emit) {
  if (curved) {
    route_steps<true>(tail, n, c, emit);
  } else {
    route_steps<false>(tail, n, c, emit);
  }
}

}  // namespace sb
