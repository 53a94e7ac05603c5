#include "reader/route_geometry.h"

#include "reader/read_failure.h"
#include "reader/text_match.h"

namespace sb {
namespace {

constexpr std::int32_t kMaxPointIndex = 1000000;

// Fails instead of writing past the matrix (a curve that runs beyond the extended route).
void check_point(const Scenario& s, std::int64_t k) {
  if (!s.route_matrix.contains(k)) {
    throw ReadFailure("the route plan has no point " + std::to_string(k) + " (points 0 to " +
                      std::to_string(s.route_matrix.upper()) + ")");
  }
}

// A step at k: the direction of the last metre, turned by c radians (0 for a straight step).
// Every operation is evaluated in the order written, without fused multiply-add, so the
// points are the same to the last bit on every machine.
void step(RouteMatrix& m, std::int32_t k, double c, bool curved) {
  const double x1 = m.number(k - 1, 0), y1 = m.number(k - 1, 1);
  const double dx = x1 - m.number(k - 2, 0);
  const double dy = y1 - m.number(k - 2, 1);
  if (curved) {
    m.set_float64(k, 0, x1 + (dx + c * dy));
    m.set_float64(k, 1, y1 + (dy - c * dx));
  } else {
    m.set_float64(k, 0, x1 + dx);
    m.set_float64(k, 1, y1 + dy);
  }
}

}  // namespace

void start_route(Scenario& s, RouteBuilder& route) {
  if (!s.route_matrix.exists())
    throw ReadFailure("there is no route plan: no route length was read");
  check_point(s, 1);
  s.route_matrix.set_int16(0, 0, 0);
  s.route_matrix.set_int16(0, 1, 0);
  s.route_matrix.set_int16(1, 0, 0);
  s.route_matrix.set_int16(1, 1, 1);
  route.k = 2;
}

double curve_curvature(std::string_view keyword) {
  static constexpr double kClass[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
  for (int digit = 1; digit <= 6; ++digit) {
    const char text[2] = {static_cast<char>('0' + digit), '\0'};
    if (contains(keyword, text)) {
      const double c = kClass[digit - 1];
      return contains_ignoring_case(keyword, "s") ? -c : c;
    }
  }
  return 0.0;
}

bool add_curve(Scenario& s, RouteBuilder& route, double c, std::int32_t p, std::int32_t n) {
  const std::int64_t end = std::int64_t{p} + n;
  for (int part = 0; part < 2; ++part) {
    const bool curved = part == 1;
    const std::int64_t last = curved ? end : p;
    while (route.k <= last) {
      check_point(s, route.k);
      step(s.route_matrix, route.k, c, curved);
      ++route.k;
      if (route.k > kMaxPointIndex) {
        set_error(s, 103);
        return false;
      }
    }
  }
  return true;
}

void extend_route(Scenario& s, RouteBuilder& route) {
  if (!s.route_matrix.exists())
    throw ReadFailure("there is no route plan: no route length was read");
  while (route.k <= std::int64_t{s.extended_length} - 2) {
    check_point(s, route.k);
    step(s.route_matrix, route.k, 0.0, false);
    ++route.k;
  }
}

}  // namespace sb
