// The plan itself: the bands along the route (mountain sides, curves by side and class, slow
// orders), the route and its run-out, the kilometre ticks, and every object with its symbol,
// its label and its hover text. Each object is one element, or one group, of its own class.
#include <cmath>

#include "viewer/plan_svg_parts.h"
#include "viewer/plan_symbols.h"
#include "viewer/svg_text.h"

namespace sb {
namespace {

constexpr double kCurveOffset = 9;
// A label further than this from its symbol gets a leader line.
constexpr double kLeaderDistance = 14;

std::string point_text(const ViewPoint& p) {
  return svg_number(p.x) + " " + svg_number(p.y);
}

// The line drawn `offset` to the right of the route (left when negative), in view units.
std::string offset_polyline(const std::vector<PlanPoint>& points, const Projection& at,
                            double offset) {
  std::string d;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const ViewPoint a = at(points[i > 0 ? i - 1 : i]);
    const ViewPoint b = at(points[i + 1 < points.size() ? i + 1 : i]);
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    ViewPoint n{0, 0};
    if (length > 0 && std::isfinite(length))
      n = right_of({(b.x - a.x) / length, (b.y - a.y) / length});
    const ViewPoint p = at(points[i]);
    d += i == 0 ? "M" : (i == 1 ? " L" : " ");
    d += point_text({p.x + n.x * offset, p.y + n.y * offset});
  }
  return d;
}

// The leader from a symbol to its label, when the label stands off.
std::string leader(const ViewPoint& from, const ViewBox& box) {
  const double x = std::fmax(box.left, std::fmin(from.x, box.right));
  const double y = std::fmax(box.top, std::fmin(from.y, box.bottom));
  if (std::hypot(x - from.x, y - from.y) < kLeaderDistance) return "";
  return "<line class=\"leader\" x1=\"" + svg_number(from.x) + "\" y1=\"" + svg_number(from.y) +
         "\" x2=\"" + svg_number(x) + "\" y2=\"" + svg_number(y) +
         "\" stroke=\"#999999\" stroke-width=\"0.6\"/>";
}

std::string label_of(const PlanObject& o, const PlacedObject& p, const char* cls, double size,
                     const char* fill) {
  if (!p.has_label) return "";
  return leader(p.symbol, p.label) + svg_label(cls, o.label, p.label, size, fill);
}

std::string stalk(const PlacedObject& p) {
  return "<line class=\"stalk\" x1=\"" + svg_number(p.anchor.x) + "\" y1=\"" +
         svg_number(p.anchor.y) + "\" x2=\"" + svg_number(p.symbol.x) + "\" y2=\"" +
         svg_number(p.symbol.y) + "\" stroke=\"#555555\" stroke-width=\"0.8\"/>";
}

void draw_bands(const PlanScene& scene, const Projection& at, std::ostream& out) {
  for (const PlanObject& o : scene.mountain_sides) {
    out << "<path class=\"mountain-side\" d=\"" << polyline(o.line, at)
        << "\" fill=\"none\" stroke=\"" << colour::kMountainSide
        << "\" stroke-opacity=\"0.4\" stroke-width=\"12\">" << svg_title(o.title) << "</path>\n";
  }
  for (const PlanObject& o : scene.curves) {
    const int k = o.variant >= 1 && o.variant <= 6 ? o.variant : 0;
    out << "<path class=\"curve\" data-curve-class=\"" << o.variant << "\" d=\""
        << offset_polyline(o.line, at, kCurveOffset * o.side) << "\" fill=\"none\" stroke=\""
        << colour::kCurve[k] << "\" stroke-width=\"4\" stroke-linecap=\"butt\">"
        << svg_title(o.title) << "</path>\n";
  }
  if (scene.run_out.size() >= 2) {
    out << "<path class=\"run-out\" d=\"" << polyline(scene.run_out, at)
        << "\" fill=\"none\" stroke=\"" << colour::kRunOut
        << "\" stroke-width=\"1.5\" stroke-dasharray=\"6 4\">"
        << svg_title("run-out beyond the end of the line at " +
                     std::to_string(scene.line_length_m) + " m")
        << "</path>\n";
  }
  out << "<path class=\"route\" d=\"" << polyline(scene.route, at) << "\" fill=\"none\" stroke=\""
      << colour::kRoute << "\" stroke-width=\"2.5\" stroke-linejoin=\"round\">"
      << svg_title("route from 0 m to " + std::to_string(scene.line_length_m) + " m")
      << "</path>\n";
}

void draw_slow_orders(const PlanScene& scene, const PlanLayout& layout, const Projection& at,
                      std::ostream& out) {
  for (std::size_t k = 0; k < scene.slow_orders.size(); ++k) {
    const PlanObject& o = scene.slow_orders[k];
    if (!o.on_route) continue;
    out << "<g class=\"slow-order\">" << svg_title(o.title) << "<path d=\"" << polyline(o.line, at)
        << "\" fill=\"none\" stroke=\"" << colour::kSlowOrder
        << "\" stroke-opacity=\"0.55\" stroke-width=\"9\" stroke-linecap=\"butt\"/>"
        << label_of(o, layout.slow_orders[k], "slow-order-speed", kSlowOrderFont,
                    colour::kSlowOrder)
        << "</g>\n";
  }
}

void draw_ticks_and_points(const PlanScene& scene, const PlanLayout& layout, std::ostream& out) {
  for (std::size_t k = 0; k < scene.kilometre_ticks.size(); ++k) {
    const PlanObject& o = scene.kilometre_ticks[k];
    const PlacedObject& p = layout.kilometre_ticks[k];
    const ViewPoint n = right_of(view_direction(o.direction));
    out << "<g class=\"kilometre-tick\">" << svg_title(o.title) << "<line x1=\""
        << svg_number(p.anchor.x - n.x * 5) << "\" y1=\"" << svg_number(p.anchor.y - n.y * 5)
        << "\" x2=\"" << svg_number(p.anchor.x + n.x * 5) << "\" y2=\""
        << svg_number(p.anchor.y + n.y * 5) << "\" stroke=\"" << colour::kTick
        << "\" stroke-width=\"1.2\"/>" << label_of(o, p, "tick-label", kTickFont, colour::kTick)
        << "</g>\n";
  }
  for (std::size_t k = 0; k < scene.abbattimento.size(); ++k) {
    const PlanObject& o = scene.abbattimento[k];
    if (!o.on_route) continue;
    const ViewPoint c = layout.abbattimento[k].anchor;
    out << "<path class=\"abbattimento\" d=\"M" << svg_number(c.x) << " " << svg_number(c.y - 3)
        << " L" << svg_number(c.x + 3) << " " << svg_number(c.y) << " " << svg_number(c.x) << " "
        << svg_number(c.y + 3) << " " << svg_number(c.x - 3) << " " << svg_number(c.y)
        << " Z\" fill=\"" << colour::kAbbattimento << "\">" << svg_title(o.title) << "</path>\n";
  }
}

void draw_stations(const PlanScene& scene, const PlanLayout& layout, std::ostream& out) {
  for (std::size_t k = 0; k < scene.stations.size(); ++k) {
    const PlanObject& o = scene.stations[k];
    if (!o.on_route) continue;
    const PlacedObject& p = layout.stations[k];
    const bool stop = o.variant != 0;
    out << "<g class=\"station" << (stop ? "" : " no-stop") << "\">" << svg_title(o.title)
        << station_symbol(p.anchor, stop) << label_of(o, p, "station-name", kStationFont, "#111111")
        << "</g>\n";
  }
}

// Signals, speed boards, signboards and warning boards: a symbol beside the route on a stalk.
void draw_boards(const PlanScene& scene, const PlanLayout& layout, std::ostream& out) {
  for (std::size_t k = 0; k < scene.signals.size(); ++k) {
    if (!scene.signals[k].on_route) continue;
    const PlacedObject& p = layout.signals[k];
    out << "<g class=\"signal\">" << svg_title(scene.signals[k].title) << stalk(p)
        << signal_symbol(p.symbol) << "</g>\n";
  }
  for (std::size_t k = 0; k < scene.speed_boards.size(); ++k) {
    const PlanObject& o = scene.speed_boards[k];
    if (!o.on_route) continue;
    const PlacedObject& p = layout.speed_boards[k];
    out << "<g class=\"speed-board\">" << svg_title(o.title) << stalk(p)
        << speed_board_symbol(p.symbol)
        << label_of(o, p, "speed-board-value", kSpeedBoardFont, colour::kSpeedBoard) << "</g>\n";
  }
  for (std::size_t k = 0; k < scene.signboards.size(); ++k) {
    const PlanObject& o = scene.signboards[k];
    if (!o.on_route) continue;
    const PlacedObject& p = layout.signboards[k];
    out << "<g class=\"signboard\">" << svg_title(o.title) << stalk(p) << signboard_symbol(p.symbol)
        << label_of(o, p, "signboard-text", kSignboardFont, "#5c4700") << "</g>\n";
  }
  for (std::size_t k = 0; k < scene.warning_boards.size(); ++k) {
    if (!scene.warning_boards[k].on_route) continue;
    const PlacedObject& p = layout.warning_boards[k];
    out << "<g class=\"warning-board\">" << svg_title(scene.warning_boards[k].title) << stalk(p)
        << warning_board_symbol(p.symbol) << "</g>\n";
  }
}

}  // namespace

std::string polyline(const std::vector<PlanPoint>& points, const Projection& at) {
  std::string d;
  d.reserve(points.size() * 14);
  for (std::size_t i = 0; i < points.size(); ++i) {
    d += i == 0 ? "M" : (i == 1 ? " L" : " ");
    d += point_text(at(points[i]));
  }
  return d;
}

void draw_plan(const PlanScene& scene, const Projection& at, std::ostream& out) {
  const PlanLayout layout = lay_out_plan(scene, at);
  draw_bands(scene, at, out);
  draw_slow_orders(scene, layout, at, out);
  draw_ticks_and_points(scene, layout, out);
  draw_stations(scene, layout, out);
  draw_boards(scene, layout, out);
}

}  // namespace sb
