// The curve entries of a route plan: its steps made again one by one, each from the two points
// before it, and recognised as straight or as turning by one of the curve classes' angles;
// the same turn over successive metres is one entry.
#pragma once

#include <cstdint>
#include <vector>

#include "model/route_matrix.h"
#include "model/route_steps.h"
#include "viewer/decompiled_entries.h"

namespace sb {

struct RecoveredCurves {
  std::vector<CurveEntry> curves;
  // Metres whose point no curve entry makes (a hand-edited or damaged plan), in order; at most
  // a few are kept, `unexplained` counts them all.
  std::vector<std::int64_t> unexplained_metres;
  std::int64_t unexplained = 0;
};

// Takes the points of a route plan of metres 0 .. upper one metre after the other, so that a
// plan read from its file need never be held whole.
class CurveFinder {
 public:
  explicit CurveFinder(std::int32_t upper) : upper_(upper) {}
  // The two coordinates of the next metre, from metre 0 on.
  void point(ElementTag x_tag, double x, ElementTag y_tag, double y);
  RecoveredCurves finish() { return std::move(found_); }

 private:
  struct Step {
    bool curved = false;
    double c = 0.0;
    int curve_class = 0;
  };
  void unexplained(std::int64_t metre);
  bool matches(bool curved, double c, double x, double y);

  std::int32_t upper_;
  std::int32_t metre_ = 0;
  RouteTail tail_{0.0, 0.0, 0.0, 1.0};
  RouteTail next_{};
  bool open_ = false;  // the last curve found reaches the metre before this one
  Step last_;          // the turn of the metre before, when `open_`
  RecoveredCurves found_;
};

RecoveredCurves recover_curves(const RouteMatrix& route);

}  // namespace sb
