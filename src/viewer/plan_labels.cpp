#include "viewer/plan_labels.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

namespace sb {
namespace {

// Average width of a capital letter as a share of the font size, a little generous.
constexpr double kCharWidth = 0.66;
constexpr double kGap = 9;  // from the mark's centre to the text
constexpr double kMarkRadius = 5;

struct Box {
  double left, top, right, bottom;
};

double overlap(const Box& a, const Box& b) {
  const double w = std::min(a.right, b.right) - std::max(a.left, b.left);
  const double h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

Box text_box(const LabelSpot& s, std::size_t chars) {
  const double width = static_cast<double>(chars) * kCharWidth * kStationFontSize;
  const double half_height = kStationFontSize * 0.6;
  double left = s.x;
  if (std::string_view(s.anchor) == "middle") left -= width / 2;
  if (std::string_view(s.anchor) == "end") left -= width;
  return {left, s.y - half_height, left + width, s.y + half_height};
}

// A spot on the side (nx, ny) of the mark: beside it when the side is mostly horizontal,
// above or below it otherwise.
LabelSpot spot_towards(double x, double y, double nx, double ny) {
  if (nx > 0.35) return {x + nx * kGap, y + ny * kGap, "start"};
  if (nx < -0.35) return {x + nx * kGap, y + ny * kGap, "end"};
  const double dy = ny >= 0 ? kGap + 3 : -(kGap + 3);
  return {x, y + dy, "middle"};
}

}  // namespace

std::vector<LabelSpot> place_station_labels(const std::vector<LabelRequest>& requests) {
  std::vector<Box> taken;
  for (const LabelRequest& r : requests) {
    taken.push_back({r.x - kMarkRadius, r.y - kMarkRadius, r.x + kMarkRadius, r.y + kMarkRadius});
  }
  std::vector<LabelSpot> spots;
  int side = 1;
  for (const LabelRequest& r : requests) {
    double nx = r.nx * side, ny = r.ny * side;
    if (nx == 0 && ny == 0) nx = 1;
    const LabelSpot candidates[] = {
        spot_towards(r.x, r.y, nx, ny), spot_towards(r.x, r.y, -nx, -ny),
        spot_towards(r.x, r.y, 1, 0),   spot_towards(r.x, r.y, -1, 0),
        spot_towards(r.x, r.y, 0, -1),  spot_towards(r.x, r.y, 0, 1),
    };
    LabelSpot best = candidates[0];
    double least = std::numeric_limits<double>::infinity();
    for (const LabelSpot& c : candidates) {
      const Box box = text_box(c, r.chars);
      double covered = 0;
      for (const Box& t : taken) covered += overlap(box, t);
      if (covered < least) {
        least = covered;
        best = c;
      }
      if (covered == 0) break;
    }
    taken.push_back(text_box(best, r.chars));
    spots.push_back(best);
    side = -side;
  }
  return spots;
}

}  // namespace sb
