// The SVG document and its upper part: the route's plan scaled into a frame, the mountain-side
// stretches as a wide band under the route, the stations, signals and speed boards on it, the
// legend and the scale bar.
#include "viewer/plan_svg.h"

#include <algorithm>
#include <limits>
#include <sstream>

#include "viewer/plan_labels.h"
#include "viewer/plan_svg_parts.h"
#include "viewer/svg_text.h"

namespace sb {
namespace {

const ViewBox kPlanFrame{30, 50, 970, 650};
// Room inside the frame for the station names.
const ViewBox kPlanArea{110, 70, 890, 630};
const ViewBox kStripArea{70, 705, 950, 900};
constexpr double kLegendY = 675;

// Plan coordinates to the view box: one scale for both axes, the route centred in the area,
// the second coordinate pointing up the picture.
class Projection {
 public:
  Projection(const PlanScene& scene, const ViewBox& area) : low_(scene.low) {
    const double dx = scene.high.x - scene.low.x, dy = scene.high.y - scene.low.y;
    const double inf = std::numeric_limits<double>::infinity();
    scale_ = std::min(dx > 0 ? area.width() / dx : inf, dy > 0 ? area.height() / dy : inf);
    if (!(scale_ < inf)) scale_ = 1;
    left_ = area.left + (area.width() - dx * scale_) / 2;
    bottom_ = area.bottom - (area.height() - dy * scale_) / 2;
  }
  double x(const PlanPoint& p) const { return left_ + (p.x - low_.x) * scale_; }
  double y(const PlanPoint& p) const { return bottom_ - (p.y - low_.y) * scale_; }
  double scale() const { return scale_; }

 private:
  PlanPoint low_;
  double scale_ = 1, left_ = 0, bottom_ = 0;
};

std::string counted(std::size_t n, const char* what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

std::string polyline(const std::vector<PlanPoint>& points, const Projection& at) {
  std::string d;
  d.reserve(points.size() * 14);
  for (std::size_t i = 0; i < points.size(); ++i) {
    d += i == 0 ? "M" : (i == 1 ? " L" : " ");
    d += svg_number(at.x(points[i])) + " " + svg_number(at.y(points[i]));
  }
  return d;
}

void draw_route(const PlanScene& scene, const Projection& at, std::ostream& out) {
  for (const auto& band : scene.mountain_sides) {
    out << "<path class=\"mountain-side\" d=\"" << polyline(band, at)
        << "\" fill=\"none\" stroke=\"#a0522d\" stroke-opacity=\"0.4\" stroke-width=\"12\"/>\n";
  }
  if (scene.run_out.size() >= 2) {
    out << "<path class=\"run-out\" d=\"" << polyline(scene.run_out, at)
        << "\" fill=\"none\" stroke=\"#8a8a8a\" stroke-width=\"1.5\" "
           "stroke-dasharray=\"6 4\"/>\n";
  }
  out << "<path class=\"route\" d=\"" << polyline(scene.route, at)
      << "\" fill=\"none\" stroke=\"#1f4e9a\" stroke-width=\"2.5\" stroke-linejoin=\"round\"/>\n";
}

void draw_marks(const PlanScene& scene, const Projection& at, std::ostream& out) {
  for (const PlanMark& m : scene.speed_boards) {
    out << "<rect class=\"speed-board\" x=\"" << svg_number(at.x(m.at) - 4) << "\" y=\""
        << svg_number(at.y(m.at) - 4)
        << "\" width=\"8\" height=\"8\" fill=\"#1f77b4\" stroke=\"#0b2f4d\" stroke-width=\"1\">"
        << "<title>speed board at " << m.metre << " m</title></rect>\n";
  }
  for (const PlanMark& m : scene.signals) {
    out << "<circle class=\"signal\" cx=\"" << svg_number(at.x(m.at)) << "\" cy=\""
        << svg_number(at.y(m.at))
        << "\" r=\"4.5\" fill=\"#d62728\" stroke=\"#5a0d0d\" stroke-width=\"1\">"
        << "<title>signal at " << m.metre << " m</title></circle>\n";
  }
  std::vector<LabelRequest> requests;
  for (const PlanMark& m : scene.stations) {
    // The normal to the route in view coordinates, whose vertical axis points down.
    requests.push_back({at.x(m.at), at.y(m.at), m.direction.y, m.direction.x, m.name.size()});
  }
  const std::vector<LabelSpot> spots = place_station_labels(requests);
  for (std::size_t k = 0; k < scene.stations.size(); ++k) {
    const LabelRequest& r = requests[k];
    const LabelSpot& spot = spots[k];
    out << "<g class=\"station\"><circle class=\"station-mark\" cx=\"" << svg_number(r.x)
        << "\" cy=\"" << svg_number(r.y)
        << "\" r=\"4\" fill=\"#ffffff\" stroke=\"#222222\" stroke-width=\"1.5\"/>";
    out << "<text class=\"station-name\" x=\"" << svg_number(spot.x) << "\" y=\""
        << svg_number(spot.y) << "\" dy=\"0.35em\" text-anchor=\"" << spot.anchor
        << "\" font-size=\"" << kStationFontSize << "\">" << xml_text(scene.stations[k].name)
        << "</text></g>\n";
  }
}

void draw_legend(const Projection& at, std::ostream& out) {
  const double y = kLegendY;
  double x = kPlanFrame.left + 10;
  auto label = [&](const char* text, double width) {
    out << "<text x=\"" << x + 26 << "\" y=\"" << y + 4 << "\" font-size=\"11\">" << text
        << "</text>\n";
    x += width;
  };
  out << "<g id=\"legend\">\n";
  out << "<line x1=\"" << x << "\" y1=\"" << y << "\" x2=\"" << x + 20 << "\" y2=\"" << y
      << "\" stroke=\"#1f4e9a\" stroke-width=\"2.5\"/>\n";
  label("route", 80);
  out << "<line x1=\"" << x << "\" y1=\"" << y << "\" x2=\"" << x + 20 << "\" y2=\"" << y
      << "\" stroke=\"#8a8a8a\" stroke-width=\"1.5\" stroke-dasharray=\"6 4\"/>\n";
  label("run-out", 90);
  out << "<line x1=\"" << x << "\" y1=\"" << y << "\" x2=\"" << x + 20 << "\" y2=\"" << y
      << "\" stroke=\"#a0522d\" stroke-opacity=\"0.4\" stroke-width=\"12\"/>\n";
  label("mountain side", 120);
  out << "<circle cx=\"" << x + 10 << "\" cy=\"" << y
      << "\" r=\"4\" fill=\"#ffffff\" stroke=\"#222222\" stroke-width=\"1.5\"/>\n";
  label("station", 85);
  out << "<circle cx=\"" << x + 10 << "\" cy=\"" << y
      << "\" r=\"4.5\" fill=\"#d62728\" stroke=\"#5a0d0d\" stroke-width=\"1\"/>\n";
  label("signal", 80);
  out << "<rect x=\"" << x + 6 << "\" y=\"" << y - 4
      << "\" width=\"8\" height=\"8\" fill=\"#1f77b4\" stroke=\"#0b2f4d\" stroke-width=\"1\"/>\n";
  label("speed board", 110);
  out << "</g>\n";

  // The scale bar: a round distance of at most 150 units.
  const double metres = nice_length(150 / at.scale());
  const double length = metres * at.scale();
  const double right = kPlanFrame.right - 10;
  const double left = right - length;
  out << "<g id=\"scale-bar\">\n";
  out << "<path d=\"M" << svg_number(left) << " " << y - 5 << " V" << y + 1 << " H"
      << svg_number(right) << " V" << y - 5
      << "\" fill=\"none\" stroke=\"#222222\" stroke-width=\"1.5\"/>\n";
  out << "<text x=\"" << svg_number(left - 6) << "\" y=\"" << y + 4
      << "\" font-size=\"11\" text-anchor=\"end\">" << distance_label(metres) << "</text>\n";
  out << "</g>\n";
}

}  // namespace

std::string plan_svg(const PlanScene& scene) {
  std::ostringstream out;
  const Projection at(scene, kPlanArea);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " << kViewWidth << " "
      << kViewHeight << "\" width=\"" << kViewWidth << "\" height=\"" << kViewHeight
      << "\" font-family=\"DejaVu Sans, Arial, sans-serif\">\n";
  const std::string title = xml_text(scene.scenario_name) + " - " + xml_text(scene.line_name);
  out << "<title>" << title << "</title>\n";
  out << "<rect width=\"" << kViewWidth << "\" height=\"" << kViewHeight
      << "\" fill=\"#ffffff\"/>\n";
  out << "<text x=\"" << kPlanFrame.left << "\" y=\"34\" font-size=\"20\" font-weight=\"bold\">"
      << title << "</text>\n";
  out << "<text x=\"" << kPlanFrame.right << "\" y=\"34\" font-size=\"12\" text-anchor=\"end\">"
      << distance_label(static_cast<double>(scene.line_length_m)) << " line, "
      << counted(scene.stations.size(), "station") << ", "
      << counted(scene.signals.size(), "signal") << ", "
      << counted(scene.speed_boards.size(), "speed board") << "</text>\n";
  out << "<rect x=\"" << kPlanFrame.left << "\" y=\"" << kPlanFrame.top << "\" width=\""
      << kPlanFrame.width() << "\" height=\"" << kPlanFrame.height()
      << "\" fill=\"#fbfbf8\" stroke=\"#bbbbbb\" stroke-width=\"1\"/>\n";
  out << "<g id=\"plan\">\n";
  draw_route(scene, at, out);
  draw_marks(scene, at, out);
  out << "</g>\n";
  draw_legend(at, out);
  draw_strip(scene, kStripArea, out);
  out << "</svg>\n";
  return out.str();
}

}  // namespace sb
