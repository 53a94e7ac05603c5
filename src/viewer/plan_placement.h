// Greedy placement for the plan: symbols and labels each ask for a few spots in order of
// preference and take the first one that is free, that is inside the frame and clear of
// everything placed or blocked before. Nothing is moved once placed.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace sb {

// A rectangle of the view box.
struct ViewBox {
  double left = 0, top = 0, right = 0, bottom = 0;
  double width() const { return right - left; }
  double height() const { return bottom - top; }
};

// The box of size w x h centred on (x, y).
ViewBox box_around(double x, double y, double w, double h);
// The box grown by `margin` on every side.
ViewBox grown(const ViewBox& box, double margin);
// Whether the two boxes share any area (touching edges do not count).
bool boxes_overlap(const ViewBox& a, const ViewBox& b);

class Placement {
 public:
  explicit Placement(const ViewBox& bounds);

  // Marks a box as taken: a symbol, a piece of the route, a placed label.
  void block(const ViewBox& box);
  // Inside the bounds and clear of every taken box.
  bool is_free(const ViewBox& box) const;
  // Takes (blocks) the first free candidate and gives its index; nothing when none is free.
  std::optional<std::size_t> take_first_free(const std::vector<ViewBox>& candidates);
  // Takes the first free candidate or, when none is, the one inside the bounds that covers
  // the least taken area (the first candidate when none is inside).
  std::size_t take_best(const std::vector<ViewBox>& candidates);

 private:
  double covered_area(const ViewBox& box) const;
  // The grid cells a box touches, clamped to the grid.
  void cells_of(const ViewBox& box, std::size_t& x0, std::size_t& y0, std::size_t& x1,
                std::size_t& y1) const;
  template <typename Visit>
  void for_each_near(const ViewBox& box, Visit visit) const;

  ViewBox bounds_;
  std::size_t columns_ = 1, rows_ = 1;
  std::vector<ViewBox> taken_;
  std::vector<std::vector<std::size_t>> grid_;  // per grid cell, the taken boxes that touch it
};

// Spots for a box of w x h beside the point (x, y), `gap` or more away from it, in order of
// preference: towards the side (nx, ny) first (a unit vector; zero when no side is
// preferred), then the opposite side, then the other directions around the point, and then
// the same again further out.
std::vector<ViewBox> spots_beside(double x, double y, double w, double h, double gap, double nx,
                                  double ny);

}  // namespace sb
