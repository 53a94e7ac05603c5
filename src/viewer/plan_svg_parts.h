// Pieces of the plan picture shared by the files that draw it: the view box and its areas,
// the projection of the plan into its frame, the colours, and the drawing steps.
#pragma once

#include <ostream>
#include <string>

#include "viewer/plan_placement.h"
#include "viewer/plan_scene.h"

namespace sb {

// The view box is kViewWidth x kViewHeight units.
inline constexpr double kViewWidth = 1000;
inline constexpr double kViewHeight = 1110;

// The frame of the plan, the area inside it that the route is fitted to (the rest leaves room
// for labels), the legend's two rows and the strip.
inline constexpr ViewBox kPlanFrame{30, 64, 970, 664};
inline constexpr ViewBox kPlanArea{100, 84, 900, 644};
inline constexpr double kLegendY = 682;
inline constexpr ViewBox kStripArea{80, 740, 950, 1000};

// Colours of the objects, shared by the plan, the legend and the strip.
namespace colour {
inline constexpr const char* kRoute = "#1f4e9a";
inline constexpr const char* kRunOut = "#8a8a8a";
inline constexpr const char* kMountainSide = "#a0522d";
inline constexpr const char* kStation = "#222222";
inline constexpr const char* kNoStopStation = "#888888";
inline constexpr const char* kSignal = "#d62728";
inline constexpr const char* kSpeedBoard = "#1f77b4";
inline constexpr const char* kSignboard = "#e8b400";
inline constexpr const char* kSlowOrder = "#d6197a";
inline constexpr const char* kWarningBoard = "#f28e2b";
inline constexpr const char* kAbbattimento = "#555555";
inline constexpr const char* kTick = "#444444";
inline constexpr const char* kSpeed = "#2a7d2a";
inline constexpr const char* kGradient = "#7a4fa6";
// Curve classes 1 to 6, from the gentlest to the sharpest; index 0 for a curvature of no class.
inline constexpr const char* kCurve[] = {"#9e9e9e", "#d9f0a3", "#addd8e", "#78c679",
                                         "#41ab5d", "#238443", "#005a32"};
}  // namespace colour

// A point of the view box.
struct ViewPoint {
  double x = 0, y = 0;
};

// Plan coordinates to the view box: one scale for both axes, the scene's box centred in the
// area, the second coordinate pointing up the picture.
class Projection {
 public:
  Projection(const PlanScene& scene, const ViewBox& area);
  ViewPoint operator()(const PlanPoint& p) const {
    return {left_ + (p.x - low_.x) * scale_, bottom_ - (p.y - low_.y) * scale_};
  }
  double scale() const { return scale_; }

 private:
  PlanPoint low_;
  double scale_ = 1, left_ = 0, bottom_ = 0;
};

// A direction of the plan as a direction of the view (the second coordinate flipped).
inline ViewPoint view_direction(const PlanPoint& d) {
  return {d.x, -d.y};
}

// The unit normal to the right of a view direction.
inline ViewPoint right_of(const ViewPoint& d) {
  return {-d.y, d.x};
}

// The objects of the plan with the spots the placement gave them.
struct PlacedObject {
  ViewPoint anchor;  // its point on the route
  ViewPoint symbol;  // the centre of its symbol: the anchor, or a spot beside the route
  bool has_label = false;
  ViewBox label;  // the label's box; its text is centred in it
};

// The object's text size, by sort.
inline constexpr double kStationFont = 10;
inline constexpr double kSignboardFont = 9;
inline constexpr double kSlowOrderFont = 10;
inline constexpr double kSpeedBoardFont = 9;
inline constexpr double kTickFont = 8;

// The placement of every object of the plan, one PlacedObject per scene object (objects not
// on the route are left at the origin and not drawn).
struct PlanLayout {
  std::vector<PlacedObject> stations, signals, speed_boards, signboards, slow_orders,
      warning_boards, abbattimento, kilometre_ticks;
};
PlanLayout lay_out_plan(const PlanScene& scene, const Projection& at);

// Drawing steps, each writing SVG elements to `out`.
std::string polyline(const std::vector<PlanPoint>& points, const Projection& at);
void draw_plan(const PlanScene& scene, const Projection& at, std::ostream& out);
void draw_legend(const Projection& at, std::ostream& out);
void draw_strip(const PlanScene& scene, const ViewBox& box, std::ostream& out);

// An element's hover text: <title>text</title>, the text escaped for XML.
std::string svg_title(const std::string& text);
// A label: the text centred in its box, at the size and colour given.
std::string svg_label(const std::string& cls, const std::string& text, const ViewBox& box,
                      double font_size, const char* fill);

}  // namespace sb
