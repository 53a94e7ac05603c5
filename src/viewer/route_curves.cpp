#include "viewer/route_curves.h"

#include <array>
#include <cmath>
#include <optional>

#include "viewer/route_points.h"

namespace sb {
namespace {

constexpr std::array<double, 6> kClassCurvature = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
// Below half the gentlest class the route counts as straight: what remains is rounding.
constexpr double kStraight = 0.00005;
// How far a curvature may stray from its class, or from the start of its curve, and still
// count as the same.
constexpr double kTolerance = 0.05;

int class_of(double curvature) {
  for (std::size_t k = 0; k < kClassCurvature.size(); ++k) {
    if (std::fabs(std::fabs(curvature) / kClassCurvature[k] - 1) <= kTolerance) {
      return static_cast<int>(k) + 1;
    }
  }
  return 0;
}

bool same_curve(const RouteCurve& curve, double curvature) {
  if ((curve.curvature > 0) != (curvature > 0)) return false;
  if (curve.curve_class != 0) return class_of(curvature) == curve.curve_class;
  return class_of(curvature) == 0 && std::fabs(curvature / curve.curvature - 1) <= kTolerance;
}

}  // namespace

double class_curvature(int curve_class) {
  if (curve_class < 1 || curve_class > 6) return 0.0;
  return kClassCurvature[static_cast<std::size_t>(curve_class - 1)];
}

std::vector<RouteCurve> find_route_curves(const RouteMatrix& route, std::int64_t last) {
  std::vector<RouteCurve> curves;
  bool open = false;  // the last curve of `curves` reaches the metre before k
  // The points of metres k - 2 and k - 1, carried from one metre to the next.
  std::optional<PlanPoint> before = point_if_any(route, 0), previous = point_if_any(route, 1);
  for (std::int64_t k = 2; k <= last; ++k) {
    const std::optional<PlanPoint> first = before, second = previous,
                                   third = point_if_any(route, k);
    before = second;
    previous = third;
    if (!first || !second || !third) {
      open = false;
      continue;
    }
    const PlanPoint a = *first, b = *second, c = *third;
    const double dx1 = b.x - a.x, dy1 = b.y - a.y, dx2 = c.x - b.x, dy2 = c.y - b.y;
    const double length2 = dx1 * dx1 + dy1 * dy1;
    // A turn by c radians maps (dx, dy) to (dx + c dy, dy - c dx): the cross product of the two
    // steps is -c times the first step's squared length.
    const double curvature = length2 > 0 ? -(dx1 * dy2 - dy1 * dx2) / length2 : 0.0;
    if (!std::isfinite(curvature) || std::fabs(curvature) < kStraight) {
      open = false;
      continue;
    }
    if (open && same_curve(curves.back(), curvature)) {
      curves.back().to_m = k;
      continue;
    }
    curves.push_back({k - 1, k, curvature, class_of(curvature)});
    open = true;
  }
  return curves;
}

}  // namespace sb
