#include "reader/route_geometry.h"

#include <algorithm>

#include "reader/read_failure.h"
#include "reader/text_match.h"

namespace sb {
namespace {

constexpr std::int32_t kMaxPointIndex = 1000000;

// Fails instead of writing past the matrix (a curve that runs beyond the extended route).
void check_point(const Scenario& s, std::int64_t k) {
  if (!s.route_matrix.contains(k)) {
    throw ReadFailure("the curve runs to " + std::to_string(k) +
                      " m, beyond the end of the route plan at " +
                      std::to_string(s.route_matrix.upper()) + " m (the route and its run-out)");
  }
}

// Makes the steps from the point index up to `last`. With `limited`, the index may not pass
// 1 000 000: the step that takes it there is made and then `Fault::kBadCurve` is set (false
// returned). A step beyond the matrix fails before it is made.
bool advance(Scenario& s, RouteBuilder& route, std::int64_t last, double c, bool curved,
             bool limited) {
  if (route.k > last) return true;
  std::int64_t batch_end = std::min<std::int64_t>(last, s.route_matrix.upper());
  if (limited) batch_end = std::min<std::int64_t>(batch_end, kMaxPointIndex);
  if (route.k <= batch_end) {
    s.route_matrix.steps(route.k, static_cast<std::int32_t>(batch_end), route.tail, c, curved);
    route.k = static_cast<std::int32_t>(batch_end) + 1;
  }
  if (limited && route.k > kMaxPointIndex) {
    set_error(s, Fault::kBadCurve).message =
        "the curve runs to " + std::to_string(last) +
        " m, and the route plan may not pass 1000000 points (1000000 m) while curves are read";
    return false;
  }
  if (route.k <= last) check_point(s, route.k);
  return true;
}

}  // namespace

void start_route(Scenario& s, RouteBuilder& route) {
  if (!s.route_matrix.exists())
    throw ReadFailure("there is no route plan yet: the line file gives no \"lunghezza percorso\"");
  if (!s.route_matrix.contains(1)) {
    throw ReadFailure("the route length leaves the route plan less than its first 2 points");
  }
  s.route_matrix.set_int16_point(0, 0, 0);
  s.route_matrix.set_int16_point(1, 0, 1);
  route = RouteBuilder{2, RouteTail{0.0, 0.0, 0.0, 1.0}};
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
  return advance(s, route, p, c, false, true) &&
         advance(s, route, std::int64_t{p} + n, c, true, true);
}

void extend_route(Scenario& s, RouteBuilder& route) {
  if (!s.route_matrix.exists())
    throw ReadFailure("there is no route plan yet: the line file gives no \"lunghezza percorso\"");
  advance(s, route, std::int64_t{s.extended_length} - 2, 0.0, false, false);
}

}  // namespace sb
