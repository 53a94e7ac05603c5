// The strip under the plan: the line from chainage 0 to its end, with the speed limit and the
// gradient as step lines in two bands, and the station stops as vertical lines named below
// the chainage axis.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "viewer/plan_svg_parts.h"
#include "viewer/svg_text.h"

namespace sb {
namespace {

struct Band {
  double top, bottom;
};

// Chainage to the horizontal position in the strip.
struct ChainageAxis {
  double left, width, length;
  double operator()(double metre) const {
    return left + std::clamp(metre, 0.0, length) / length * width;
  }
};

// A step line through the values, `y_of` mapping a value to its height.
template <typename YOf>
std::string step_path(const std::vector<PlanStep>& steps, const ChainageAxis& x_of, YOf y_of) {
  std::string d;
  for (const PlanStep& s : steps) {
    const std::string x0 = svg_number(x_of(static_cast<double>(s.from_m)));
    const std::string x1 = svg_number(x_of(static_cast<double>(s.to_m)));
    const std::string y = svg_number(y_of(s.value));
    d += (d.empty() ? "M" : " L") + x0 + " " + y + " H" + x1;
  }
  return d;
}

}  // namespace

std::string distance_label(double metres) {
  char buffer[64];
  if (metres >= 1000) {
    std::snprintf(buffer, sizeof buffer, "%g km", metres / 1000);
  } else {
    std::snprintf(buffer, sizeof buffer, "%g m", metres);
  }
  return buffer;
}

void draw_strip(const PlanScene& scene, const ViewBox& box, std::ostream& out) {
  const double length = static_cast<double>(std::max<std::int64_t>(scene.strip_length_m, 1));
  const ChainageAxis x_of{box.left, box.width(), length};

  const Band speed{box.top + 15, box.top + 90};
  const Band gradient{box.top + 115, box.top + 170};
  const double axis_y = box.top + 180;

  out << "<g id=\"strip\">\n";
  out << "<text x=\"" << box.left << "\" y=\"" << speed.top - 4
      << "\" font-size=\"11\" fill=\"#2a7d2a\">speed limit (km/h)</text>\n";
  out << "<text x=\"" << box.left << "\" y=\"" << gradient.top - 4
      << "\" font-size=\"11\" fill=\"#7a4fa6\">gradient</text>\n";
  for (const Band& b : {speed, gradient}) {
    out << "<rect x=\"" << box.left << "\" y=\"" << b.top << "\" width=\"" << box.width()
        << "\" height=\"" << b.bottom - b.top
        << "\" fill=\"#f7f7f4\" stroke=\"#cccccc\" stroke-width=\"0.5\"/>\n";
  }

  // Station stops first, so that the step lines stay on top of them.
  for (const PlanMark& stop : scene.stops) {
    const std::string x = svg_number(x_of(static_cast<double>(stop.metre)));
    out << "<line class=\"stop\" x1=\"" << x << "\" y1=\"" << speed.top << "\" x2=\"" << x
        << "\" y2=\"" << axis_y
        << "\" stroke=\"#666666\" stroke-width=\"0.7\" stroke-dasharray=\"3 2\"/>\n";
    out << "<text class=\"stop-name\" transform=\"translate(" << x << " " << axis_y + 24
        << ") rotate(90)\" font-size=\"9\" dy=\"0.35em\">" << xml_text(stop.name) << "</text>\n";
  }

  int top_speed = 10;
  for (const PlanStep& s : scene.speed_limit_kmh) top_speed = std::max(top_speed, s.value);
  const double speed_scale = (top_speed + 10) / 10 * 10;  // headroom of at least 10 km/h
  auto speed_y = [&](int v) {
    return speed.bottom - std::max(v, 0) / speed_scale * (speed.bottom - speed.top);
  };
  out << "<path class=\"speed-limit\" d=\"" << step_path(scene.speed_limit_kmh, x_of, speed_y)
      << "\" fill=\"none\" stroke=\"#2a7d2a\" stroke-width=\"1.8\"/>\n";
  out << "<text x=\"" << box.left - 4 << "\" y=\"" << speed.top + 4
      << "\" font-size=\"9\" text-anchor=\"end\">" << speed_scale << "</text>\n";
  out << "<text x=\"" << box.left - 4 << "\" y=\"" << speed.bottom
      << "\" font-size=\"9\" text-anchor=\"end\">0</text>\n";

  int steepest = 1;
  for (const PlanStep& s : scene.gradient) steepest = std::max(steepest, std::abs(s.value));
  const double middle = (gradient.top + gradient.bottom) / 2;
  const double half = (gradient.bottom - gradient.top) / 2 - 3;
  auto gradient_y = [&](int v) { return middle - static_cast<double>(v) / steepest * half; };
  out << "<line x1=\"" << box.left << "\" y1=\"" << middle << "\" x2=\"" << box.right << "\" y2=\""
      << middle << "\" stroke=\"#aaaaaa\" stroke-width=\"0.5\" stroke-dasharray=\"4 3\"/>\n";
  out << "<path class=\"gradient\" d=\"" << step_path(scene.gradient, x_of, gradient_y)
      << "\" fill=\"none\" stroke=\"#7a4fa6\" stroke-width=\"1.8\"/>\n";
  for (const int v : {steepest, 0, -steepest}) {
    out << "<text x=\"" << box.left - 4 << "\" y=\"" << svg_number(gradient_y(v) + 3)
        << "\" font-size=\"9\" text-anchor=\"end\">" << v << "</text>\n";
  }

  // The chainage axis, ticked at a round distance, about ten ticks along the line.
  out << "<line x1=\"" << box.left << "\" y1=\"" << axis_y << "\" x2=\"" << box.right << "\" y2=\""
      << axis_y << "\" stroke=\"#222222\" stroke-width=\"1\"/>\n";
  const double tick = nice_length(length / 8);
  for (double m = 0; m <= length + tick / 1000; m += tick) {
    const std::string x = svg_number(x_of(m));
    out << "<line x1=\"" << x << "\" y1=\"" << axis_y << "\" x2=\"" << x << "\" y2=\"" << axis_y + 4
        << "\" stroke=\"#222222\" stroke-width=\"1\"/>\n";
    out << "<text x=\"" << x << "\" y=\"" << axis_y + 14
        << "\" font-size=\"9\" text-anchor=\"middle\">" << distance_label(m) << "</text>\n";
  }
  out << "</g>\n";
}

}  // namespace sb
