#include "viewer/plan_placement.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sb {
namespace {

constexpr double kGridCell = 24;
// How much further out each ring of spots lies than the one before.
constexpr double kRings[] = {0, 7, 16, 28, 44, 64};

}  // namespace

ViewBox box_around(double x, double y, double w, double h) {
  return {x - w / 2, y - h / 2, x + w / 2, y + h / 2};
}

ViewBox grown(const ViewBox& b, double margin) {
  return {b.left - margin, b.top - margin, b.right + margin, b.bottom + margin};
}

bool boxes_overlap(const ViewBox& a, const ViewBox& b) {
  return std::min(a.right, b.right) > std::max(a.left, b.left) &&
         std::min(a.bottom, b.bottom) > std::max(a.top, b.top);
}

Placement::Placement(const ViewBox& bounds) : bounds_(bounds) {
  columns_ = static_cast<std::size_t>(std::max(1.0, std::ceil(bounds.width() / kGridCell)));
  rows_ = static_cast<std::size_t>(std::max(1.0, std::ceil(bounds.height() / kGridCell)));
  grid_.resize(columns_ * rows_);
}

void Placement::cells_of(const ViewBox& b, std::size_t& x0, std::size_t& y0, std::size_t& x1,
                         std::size_t& y1) const {
  auto cell = [](double v, double origin, std::size_t count) {
    const double k = std::floor((v - origin) / kGridCell);
    if (!(k > 0)) return std::size_t{0};  // also for NaN
    return std::min(count - 1, static_cast<std::size_t>(std::min(k, 1e9)));
  };
  x0 = cell(b.left, bounds_.left, columns_);
  x1 = cell(b.right, bounds_.left, columns_);
  y0 = cell(b.top, bounds_.top, rows_);
  y1 = cell(b.bottom, bounds_.top, rows_);
}

template <typename Visit>
void Placement::for_each_near(const ViewBox& box, Visit visit) const {
  std::size_t x0, y0, x1, y1;
  cells_of(box, x0, y0, x1, y1);
  for (std::size_t y = y0; y <= y1; ++y) {
    for (std::size_t x = x0; x <= x1; ++x) {
      for (const std::size_t k : grid_[y * columns_ + x]) {
        if (!visit(taken_[k])) return;
      }
    }
  }
}

void Placement::block(const ViewBox& box) {
  std::size_t x0, y0, x1, y1;
  cells_of(box, x0, y0, x1, y1);
  const std::size_t k = taken_.size();
  taken_.push_back(box);
  for (std::size_t y = y0; y <= y1; ++y) {
    for (std::size_t x = x0; x <= x1; ++x) grid_[y * columns_ + x].push_back(k);
  }
}

bool Placement::is_free(const ViewBox& box) const {
  if (box.left < bounds_.left || box.top < bounds_.top || box.right > bounds_.right ||
      box.bottom > bounds_.bottom) {
    return false;
  }
  bool free = true;
  for_each_near(box, [&](const ViewBox& t) {
    free = !boxes_overlap(box, t);
    return free;
  });
  return free;
}

double Placement::covered_area(const ViewBox& box) const {
  // A box that touches several grid cells is met once per cell; the sum only ranks spots.
  double area = 0;
  for_each_near(box, [&](const ViewBox& t) {
    const double w = std::min(box.right, t.right) - std::max(box.left, t.left);
    const double h = std::min(box.bottom, t.bottom) - std::max(box.top, t.top);
    if (w > 0 && h > 0) area += w * h;
    return true;
  });
  return area;
}

std::optional<std::size_t> Placement::take_first_free(const std::vector<ViewBox>& candidates) {
  for (std::size_t k = 0; k < candidates.size(); ++k) {
    if (is_free(candidates[k])) {
      block(candidates[k]);
      return k;
    }
  }
  return std::nullopt;
}

std::size_t Placement::take_best(const std::vector<ViewBox>& candidates) {
  if (const auto k = take_first_free(candidates)) return *k;
  std::size_t best = 0;
  double least = std::numeric_limits<double>::infinity();
  for (std::size_t k = 0; k < candidates.size(); ++k) {
    const ViewBox& c = candidates[k];
    const bool inside = c.left >= bounds_.left && c.top >= bounds_.top &&
                        c.right <= bounds_.right && c.bottom <= bounds_.bottom;
    if (!inside) continue;
    const double area = covered_area(c);
    if (area < least) {
      least = area;
      best = k;
    }
  }
  if (!candidates.empty()) block(candidates[best]);
  return best;
}

std::vector<ViewBox> spots_beside(double x, double y, double w, double h, double gap, double nx,
                                  double ny) {
  constexpr double kDiagonal = 0.7071067811865476;
  std::vector<std::pair<double, double>> directions;
  if (nx != 0 || ny != 0) {
    directions.push_back({nx, ny});
    directions.push_back({-nx, -ny});
  }
  for (const auto& d : std::initializer_list<std::pair<double, double>>{{1, 0},
                                                                        {-1, 0},
                                                                        {0, -1},
                                                                        {0, 1},
                                                                        {kDiagonal, -kDiagonal},
                                                                        {-kDiagonal, -kDiagonal},
                                                                        {kDiagonal, kDiagonal},
                                                                        {-kDiagonal, kDiagonal}}) {
    directions.push_back(d);
  }
  std::vector<ViewBox> spots;
  for (const double ring : kRings) {
    const double d = gap + ring;
    for (const auto& [ux, uy] : directions) {
      spots.push_back(box_around(x + ux * (d + w / 2), y + uy * (d + h / 2), w, h));
    }
  }
  return spots;
}

}  // namespace sb
