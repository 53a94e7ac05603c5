// Where each object of the plan is drawn. The route and the bands along it are blocked first,
// then the symbols take their places (stations on the route, signals and boards beside it on
// a short stalk), then the labels, most important first: station names, signboard texts,
// slow-order speeds, speed-board values, and last the kilometre labels, which are left out
// where there is no room for them.
#include <algorithm>
#include <cmath>

#include "viewer/plan_svg_parts.h"
#include "viewer/text_width.h"

namespace sb {
namespace {

// Sizes in view units.
constexpr double kInset = 3;        // labels keep this far inside the frame
constexpr double kStep = 4;         // spacing of the boxes that block a line
constexpr double kRouteWidth = 7;   // the route and run-out, with a little room
constexpr double kBandWidth = 13;   // mountain sides and slow orders
constexpr double kCurveOffset = 9;  // curve bands run this far beside the route
constexpr double kCurveWidth = 5;
constexpr double kStationSize = 11;   // a station's circle
constexpr double kSmallSize = 7;      // abbattimento points and kilometre ticks
constexpr double kSymbolSize = 11;    // signals, boards
constexpr double kLabelMargin = 1.5;  // kept free around every label
constexpr double kStalks[] = {14, 24, 35, 48};
// An optional label tries the spots of the two nearest rings only.
constexpr std::size_t kOptionalSpots = 20;

ViewPoint add(const ViewPoint& p, const ViewPoint& d, double f) {
  return {p.x + d.x * f, p.y + d.y * f};
}

// Blocks boxes of `size` along the line, `offset` to the right of it (left when negative).
void block_along(Placement& place, const std::vector<PlanPoint>& line, const Projection& at,
                 double size, double offset = 0) {
  for (std::size_t i = 0; i + 1 < line.size(); ++i) {
    const ViewPoint a = at(line[i]), b = at(line[i + 1]);
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    if (!(length > 0) || !std::isfinite(length)) continue;
    const ViewPoint u{(b.x - a.x) / length, (b.y - a.y) / length};
    const ViewPoint n = right_of(u);
    for (double s = 0; s < length; s += kStep) {
      const ViewPoint p = add(add(a, u, s), n, offset);
      place.block(box_around(p.x, p.y, size, size));
    }
  }
  if (!line.empty()) {
    const ViewPoint p = at(line.back());
    place.block(box_around(p.x, p.y, size, size));
  }
}

// The objects' points on the route; symbols drawn there block their box.
std::vector<PlacedObject> on_route(const std::vector<PlanObject>& objects, const Projection& at,
                                   Placement* place, double size) {
  std::vector<PlacedObject> placed(objects.size());
  for (std::size_t k = 0; k < objects.size(); ++k) {
    if (!objects[k].on_route) continue;
    placed[k].anchor = placed[k].symbol = at(objects[k].at);
    if (place) place->block(box_around(placed[k].anchor.x, placed[k].anchor.y, size, size));
  }
  return placed;
}

// Symbols beside the route, on a stalk: on the preferred side (1 right, -1 left) if there is
// room, else on the other, further out when both are taken.
void beside_route(const std::vector<PlanObject>& objects, std::vector<PlacedObject>& placed,
                  Placement& place, int side) {
  for (std::size_t k = 0; k < objects.size(); ++k) {
    if (!objects[k].on_route) continue;
    ViewPoint n = right_of(view_direction(objects[k].direction));
    if (n.x == 0 && n.y == 0) n = {1, 0};
    std::vector<ViewBox> spots;
    std::vector<ViewPoint> centres;
    for (const double stalk : kStalks) {
      for (const int s : {side, -side}) {
        const ViewPoint c = add(placed[k].anchor, n, stalk * s);
        centres.push_back(c);
        spots.push_back(box_around(c.x, c.y, kSymbolSize, kSymbolSize));
      }
    }
    placed[k].symbol = centres[place.take_best(spots)];
  }
}

// Labels beside the objects' symbols, `gap` away; an optional label that finds no free spot
// is left out.
void label(const std::vector<PlanObject>& objects, std::vector<PlacedObject>& placed,
           Placement& place, double font_size, double gap, bool required, bool alternate) {
  const double h = text_height(font_size);
  int side = 1;
  for (std::size_t k = 0; k < objects.size(); ++k) {
    if (!objects[k].on_route || objects[k].label.empty()) continue;
    const double w = text_width(objects[k].label, font_size);
    // The first choice is off the route, on alternating sides for a run of stations.
    ViewPoint n = right_of(view_direction(objects[k].direction));
    n = {n.x * side, n.y * side};
    if (alternate) side = -side;
    const ViewPoint p = placed[k].symbol;
    std::vector<ViewBox> spots =
        spots_beside(p.x, p.y, w + 2 * kLabelMargin, h + 2 * kLabelMargin, gap, n.x, n.y);
    // An optional label stays close to its object or is left out.
    if (!required) spots.resize(std::min(spots.size(), kOptionalSpots));
    std::optional<std::size_t> spot = place.take_first_free(spots);
    if (!spot && required) spot = place.take_best(spots);
    if (!spot) continue;
    placed[k].has_label = true;
    placed[k].label = grown(spots[*spot], -kLabelMargin);
  }
}

}  // namespace

PlanLayout lay_out_plan(const PlanScene& scene, const Projection& at) {
  Placement place(grown(kPlanFrame, -kInset));
  block_along(place, scene.route, at, kRouteWidth);
  block_along(place, scene.run_out, at, kRouteWidth);
  for (const PlanObject& o : scene.mountain_sides) block_along(place, o.line, at, kBandWidth);
  for (const PlanObject& o : scene.slow_orders) block_along(place, o.line, at, kBandWidth);
  for (const PlanObject& o : scene.curves) {
    block_along(place, o.line, at, kCurveWidth, kCurveOffset * o.side);
  }

  PlanLayout layout;
  layout.stations = on_route(scene.stations, at, &place, kStationSize);
  layout.abbattimento = on_route(scene.abbattimento, at, &place, kSmallSize);
  layout.kilometre_ticks = on_route(scene.kilometre_ticks, at, &place, kSmallSize);
  layout.slow_orders = on_route(scene.slow_orders, at, nullptr, 0);
  layout.signals = on_route(scene.signals, at, nullptr, 0);
  layout.speed_boards = on_route(scene.speed_boards, at, nullptr, 0);
  layout.signboards = on_route(scene.signboards, at, nullptr, 0);
  layout.warning_boards = on_route(scene.warning_boards, at, nullptr, 0);
  beside_route(scene.signals, layout.signals, place, 1);
  beside_route(scene.speed_boards, layout.speed_boards, place, -1);
  beside_route(scene.signboards, layout.signboards, place, 1);
  beside_route(scene.warning_boards, layout.warning_boards, place, -1);

  label(scene.stations, layout.stations, place, kStationFont, kStationSize / 2 + 2, true, true);
  label(scene.signboards, layout.signboards, place, kSignboardFont, kSymbolSize / 2 + 2, true,
        false);
  label(scene.slow_orders, layout.slow_orders, place, kSlowOrderFont, kBandWidth / 2 + 2, true,
        false);
  label(scene.speed_boards, layout.speed_boards, place, kSpeedBoardFont, kSymbolSize / 2 + 2, true,
        false);
  label(scene.kilometre_ticks, layout.kilometre_ticks, place, kTickFont, kSmallSize / 2 + 2, false,
        false);
  return layout;
}

}  // namespace sb
