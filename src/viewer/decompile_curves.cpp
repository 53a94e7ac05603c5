#include "viewer/decompile_curves.h"

#include <bit>

namespace sb {
namespace {

constexpr double kClassCurvature[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
constexpr std::size_t kKeptMetres = 5;

bool same_bits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

}  // namespace

void CurveFinder::unexplained(std::int64_t metre) {
  if (found_.unexplained_metres.size() < kKeptMetres) found_.unexplained_metres.push_back(metre);
  ++found_.unexplained;
}

bool CurveFinder::matches(bool curved, double c, double x, double y) {
  RouteTail t = tail_;
  bool same = false;
  route_steps(t, 1, c, curved,
              [&](double px, double py) { same = same_bits(px, x) && same_bits(py, y); });
  if (same) next_ = t;
  return same;
}

void CurveFinder::point(ElementTag x_tag, double x, ElementTag y_tag, double y) {
  const std::int32_t k = metre_++;
  if (upper_ < 3) return;
  // The reader's start: metre 0 at (0, 0), metre 1 at (0, 1), as 16-bit integers; the last
  // two metres stay empty.
  if (k <= 1 || k >= upper_ - 1) {
    const bool start = k <= 1;
    const ElementTag tag = start ? ElementTag::kInt16 : ElementTag::kEmpty;
    const bool same =
        x_tag == tag && y_tag == tag && (!start || (x == 0 && y == static_cast<double>(k)));
    if (!same) unexplained(k);
    return;
  }
  const bool floats = x_tag == ElementTag::kFloat64 && y_tag == ElementTag::kFloat64;
  bool found = false;
  Step step;
  // Inside a curve the next metre most likely turns as the last one did: that is tried first.
  if (floats && open_ && matches(true, last_.c, x, y)) {
    found = true;
    step = last_;
  } else if (floats && matches(false, 0.0, x, y)) {
    found = true;
  } else if (floats) {
    for (int side = 0; side < 2 && !found; ++side) {
      for (int n = 0; n < 6 && !found; ++n) {
        const double c = side == 0 ? kClassCurvature[n] : -kClassCurvature[n];
        if (matches(true, c, x, y)) {
          found = true;
          step = {true, c, n + 1};
        }
      }
    }
  }
  if (!found) {
    unexplained(k);
    next_ = {tail_.x1, tail_.y1, x, y};
    open_ = false;
  } else if (step.curved) {
    std::vector<CurveEntry>& curves = found_.curves;
    if (open_ && curves.back().curve_class == step.curve_class &&
        curves.back().left == (step.c < 0)) {
      ++curves.back().length;
    } else {
      curves.push_back({k - 1, 1, step.curve_class, step.c < 0});
    }
    open_ = true;
    last_ = step;
  } else {
    open_ = false;
  }
  tail_ = next_;
}

RecoveredCurves recover_curves(const RouteMatrix& route) {
  CurveFinder finder(route.upper());
  for (std::int32_t k = 0; k <= route.upper(); ++k) {
    const RouteElement x = route.get(k, 0);
    const RouteElement y = route.get(k, 1);
    finder.point(x.tag, x.value, y.tag, y.value);
  }
  return finder.finish();
}

}  // namespace sb
