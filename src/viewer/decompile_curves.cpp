#include "viewer/decompile_curves.h"

#include <bit>
#include <optional>

#include "model/route_steps.h"

namespace sb {
namespace {

constexpr double kClassCurvature[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
constexpr std::size_t kKeptMetres = 5;

bool same_bits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

struct Step {
  bool curved = false;
  double c = 0.0;
  int curve_class = 0;
};

void unexplained(RecoveredCurves& r, std::int64_t metre) {
  if (r.unexplained_metres.size() < kKeptMetres) r.unexplained_metres.push_back(metre);
  ++r.unexplained;
}

bool element_is(const RouteMatrix& m, std::int32_t metre, ElementTag tag, double value) {
  for (int c = 0; c < 2; ++c) {
    if (m.tag(metre, c) != tag) return false;
  }
  return tag == ElementTag::kEmpty || (m.number(metre, 0) == 0 && m.number(metre, 1) == value);
}

}  // namespace

RecoveredCurves recover_curves(const RouteMatrix& route) {
  RecoveredCurves r;
  const std::int32_t upper = route.upper();
  if (upper < 3) return r;
  // The reader's start: metre 0 at (0, 0), metre 1 at (0, 1), as 16-bit integers; the last
  // two metres stay empty.
  if (!element_is(route, 0, ElementTag::kInt16, 0)) unexplained(r, 0);
  if (!element_is(route, 1, ElementTag::kInt16, 1)) unexplained(r, 1);
  RouteTail tail{0.0, 0.0, 0.0, 1.0};
  bool open = false;  // the last curve of r.curves reaches the metre before k
  Step last;          // the turn of the metre before k, when `open`
  for (std::int32_t k = 2; k <= upper - 2; ++k) {
    const double x = route.number(k, 0), y = route.number(k, 1);
    const bool floats =
        route.tag(k, 0) == ElementTag::kFloat64 && route.tag(k, 1) == ElementTag::kFloat64;
    std::optional<Step> found;
    RouteTail next = tail;
    auto matches = [&](bool curved, double c) {
      RouteTail t = tail;
      bool same = false;
      route_steps(t, 1, c, curved,
                  [&](double px, double py) { same = same_bits(px, x) && same_bits(py, y); });
      if (same) next = t;
      return same;
    };
    // Inside a curve the next metre most likely turns as the last one did: that is tried first.
    if (floats && open && matches(true, last.c)) {
      found = last;
    } else if (floats && matches(false, 0.0)) {
      found = Step{};
    } else if (floats) {
      for (int side = 0; side < 2 && !found; ++side) {
        for (int k6 = 0; k6 < 6 && !found; ++k6) {
          const double c = side == 0 ? kClassCurvature[k6] : -kClassCurvature[k6];
          if (matches(true, c)) found = Step{true, c, k6 + 1};
        }
      }
    }
    if (!found) {
      unexplained(r, k);
      next = {tail.x1, tail.y1, x, y};
      open = false;
    } else if (found->curved) {
      if (open && r.curves.back().curve_class == found->curve_class &&
          r.curves.back().left == (found->c < 0)) {
        ++r.curves.back().length;
      } else {
        r.curves.push_back({k - 1, 1, found->curve_class, found->c < 0});
      }
      open = true;
      last = *found;
    } else {
      open = false;
    }
    tail = next;
  }
  for (std::int32_t k = upper - 1; k <= upper; ++k) {
    if (!element_is(route, k, ElementTag::kEmpty, 0)) unexplained(r, k);
  }
  return r;
}

}  // namespace sb
