// The strip under the plan: the line from chainage 0 to its end, with the speed limit (lowered
// along each slow order, the line's own limit dashed beneath) and the gradient as step lines in
// two bands, each level that occurs written on the axis, and every station below the chainage
// axis, those without a stop cell drawn apart.
#include <algorithm>
#include <cstdlib>
#include <set>

#include "viewer/author_values.h"
#include "viewer/plan_numbers.h"
#include "viewer/plan_svg_parts.h"
#include "viewer/svg_text.h"

namespace sb {
namespace {

constexpr double kAxisFont = 9;
constexpr double kLevelGap = 9;      // the least distance between two level labels
constexpr double kColumnWidth = 24;  // level labels that would meet move one column left
constexpr int kColumns = 3;
constexpr double kNameGap = 10.5;  // the least distance between two station names
constexpr std::size_t kMostStepsTold = 40;

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

// "what: 60 km/h from 0 m, 30 km/h from 3000 m, ...", `text_of` writing a value.
template <typename TextOf>
std::string steps_title(const std::string& what, const std::vector<PlanStep>& steps,
                        TextOf text_of) {
  std::string text = what + ":";
  for (std::size_t k = 0; k < steps.size(); ++k) {
    if (k == kMostStepsTold) {
      text += ", ... (" + std::to_string(steps.size() - k) + " more)";
      break;
    }
    text +=
        (k == 0 ? " " : ", ") + text_of(steps[k].value) + " from " + metres_text(steps[k].from_m);
  }
  return text;
}

// A label for each level, right-aligned at the band's left; labels that would meet the one
// above them move a column further left.
template <typename YOf, typename TextOf>
void level_labels(const std::set<int>& levels, double left, YOf y_of, TextOf text_of,
                  const char* cls, std::ostream& out) {
  double last[kColumns];
  std::fill(std::begin(last), std::end(last), -1e9);
  for (auto it = levels.rbegin(); it != levels.rend(); ++it) {
    const double y = y_of(*it);
    int column = 0;
    while (column + 1 < kColumns && std::abs(y - last[column]) < kLevelGap) ++column;
    last[column] = y;
    out << "<text class=\"" << cls << "\" x=\"" << svg_number(left - 4 - column * kColumnWidth)
        << "\" y=\"" << svg_number(y) << "\" dy=\"0.35em\" font-size=\"" << kAxisFont
        << "\" text-anchor=\"end\">" << text_of(*it) << "</text>\n";
  }
}

void grid_line(double left, double right, double y, std::ostream& out) {
  out << "<line x1=\"" << left << "\" y1=\"" << svg_number(y) << "\" x2=\"" << right << "\" y2=\""
      << svg_number(y) << "\" stroke=\"#dddddd\" stroke-width=\"0.5\"/>\n";
}

std::string kmh(int v) {
  return std::to_string(v) + " km/h";
}

std::string per_mille(int v) {
  return signed_text(v) + " per mille";
}

void draw_speed(const PlanScene& scene, const ChainageAxis& x_of, const ViewBox& box,
                const Band& band, std::ostream& out) {
  std::set<int> levels;
  for (const PlanStep& s : scene.speed_kmh) levels.insert(std::max(s.value, 0));
  for (const PlanStep& s : scene.line_speed_kmh) levels.insert(std::max(s.value, 0));
  levels.insert(0);
  const double scale = (*levels.rbegin() + 10) / 10 * 10;  // headroom of at least 10 km/h
  auto y_of = [&](int v) {
    return band.bottom - std::max(v, 0) / scale * (band.bottom - band.top);
  };
  for (const PlanObject& o : scene.slow_orders) {
    const double x0 = x_of(static_cast<double>(o.metre));
    const double x1 = x_of(static_cast<double>(o.to_m));
    out << "<rect class=\"slow-order-band\" x=\"" << svg_number(x0) << "\" y=\"" << band.top
        << "\" width=\"" << svg_number(std::max(x1 - x0, 1.0)) << "\" height=\""
        << band.bottom - band.top << "\" fill=\"" << colour::kSlowOrder
        << "\" fill-opacity=\"0.15\">" << svg_title(o.title) << "</rect>\n";
  }
  for (const int v : levels) grid_line(box.left, box.right, y_of(v), out);
  level_labels(
      levels, box.left, y_of, [](int v) { return std::to_string(v); }, "speed-level", out);
  out << "<path class=\"line-speed\" d=\"" << step_path(scene.line_speed_kmh, x_of, y_of)
      << "\" fill=\"none\" stroke=\"" << colour::kSpeed
      << "\" stroke-width=\"1\" stroke-dasharray=\"4 3\" stroke-opacity=\"0.6\">"
      << svg_title(steps_title("the line's own speed limit", scene.line_speed_kmh, kmh))
      << "</path>\n";
  out << "<path class=\"speed-limit\" d=\"" << step_path(scene.speed_kmh, x_of, y_of)
      << "\" fill=\"none\" stroke=\"" << colour::kSpeed << "\" stroke-width=\"1.8\">"
      << svg_title(steps_title("speed limit, with the slow orders", scene.speed_kmh, kmh))
      << "</path>\n";
}

void draw_gradient(const PlanScene& scene, const ChainageAxis& x_of, const ViewBox& box,
                   const Band& band, std::ostream& out) {
  std::set<int> levels{0};
  int steepest = 1;
  for (const PlanStep& s : scene.gradient) {
    levels.insert(s.value);
    steepest = std::max(steepest, std::abs(s.value));
  }
  const double middle = (band.top + band.bottom) / 2;
  const double half = (band.bottom - band.top) / 2 - 3;
  auto y_of = [&](int v) { return middle - static_cast<double>(v) / steepest * half; };
  for (const int v : levels) grid_line(box.left, box.right, y_of(v), out);
  level_labels(levels, box.left, y_of, signed_text, "gradient-level", out);
  out << "<path class=\"gradient\" d=\"" << step_path(scene.gradient, x_of, y_of)
      << "\" fill=\"none\" stroke=\"" << colour::kGradient << "\" stroke-width=\"1.8\">"
      << svg_title(steps_title("gradient", scene.gradient, per_mille)) << "</path>\n";
}

// Every station: a line across the bands at its position, a mark on the axis and its name
// below, moved aside where it would meet the name before it.
void draw_stations(const PlanScene& scene, const ChainageAxis& x_of, double top, double axis_y,
                   std::ostream& out) {
  std::vector<const PlanObject*> order;
  for (const PlanObject& s : scene.stations) order.push_back(&s);
  std::stable_sort(order.begin(), order.end(),
                   [](const PlanObject* a, const PlanObject* b) { return a->metre < b->metre; });
  double last_name = -1e9;
  for (const PlanObject* s : order) {
    const bool stop = s->variant != 0;
    const double x = x_of(static_cast<double>(s->metre));
    const double name_x = std::max(x, last_name + kNameGap);
    last_name = name_x;
    const char* stroke = stop ? colour::kStation : colour::kNoStopStation;
    out << "<g class=\"strip-station" << (stop ? "" : " no-stop") << "\">" << svg_title(s->title)
        << "<line x1=\"" << svg_number(x) << "\" y1=\"" << top << "\" x2=\"" << svg_number(x)
        << "\" y2=\"" << axis_y << "\" stroke=\"" << stroke << "\" stroke-width=\"0.7\""
        << " stroke-dasharray=\"" << (stop ? "3 2" : "1 2") << "\"/>"
        << "<circle cx=\"" << svg_number(x) << "\" cy=\"" << axis_y << "\" r=\"3\" fill=\""
        << (stop ? stroke : "#ffffff") << "\" stroke=\"" << stroke << "\" stroke-width=\"1\"/>";
    if (name_x != x) {
      out << "<line x1=\"" << svg_number(x) << "\" y1=\"" << axis_y + 4 << "\" x2=\""
          << svg_number(name_x) << "\" y2=\"" << axis_y + 20 << "\" stroke=\"#999999\""
          << " stroke-width=\"0.6\"/>";
    }
    out << "<text x=\"" << svg_number(name_x) << "\" y=\"" << axis_y + 24
        << "\" transform=\"rotate(90 " << svg_number(name_x) << " " << axis_y + 24
        << ")\" font-size=\"" << kAxisFont << "\" dy=\"0.35em\" fill=\""
        << (stop ? "#111111" : colour::kNoStopStation) << "\">" << xml_text(s->label)
        << "</text></g>\n";
  }
}

}  // namespace

void draw_strip(const PlanScene& scene, const ViewBox& box, std::ostream& out) {
  const double length = static_cast<double>(std::max<std::int64_t>(scene.strip_length_m, 1));
  const ChainageAxis x_of{box.left, box.width(), length};

  const Band speed{box.top + 16, box.top + 126};
  const Band gradient{box.top + 150, box.top + 210};
  const double axis_y = box.top + 222;

  out << "<g id=\"strip\">\n";
  out << "<text x=\"" << box.left << "\" y=\"" << speed.top - 5 << "\" font-size=\"11\" fill=\""
      << colour::kSpeed
      << "\">speed limit (km/h), lowered along each slow order; dashed: the line's own "
         "limit</text>\n";
  out << "<text x=\"" << box.left << "\" y=\"" << gradient.top - 5 << "\" font-size=\"11\" fill=\""
      << colour::kGradient << "\">gradient (&#x2030;)</text>\n";
  out << "<rect class=\"speed-band\" x=\"" << box.left << "\" y=\"" << speed.top << "\" width=\""
      << box.width() << "\" height=\"" << speed.bottom - speed.top
      << "\" fill=\"#f7f7f4\" stroke=\"#cccccc\" stroke-width=\"0.5\"/>\n";
  out << "<rect class=\"gradient-band\" x=\"" << box.left << "\" y=\"" << gradient.top
      << "\" width=\"" << box.width() << "\" height=\"" << gradient.bottom - gradient.top
      << "\" fill=\"#f7f7f4\" stroke=\"#cccccc\" stroke-width=\"0.5\"/>\n";

  // Stations first, so that the step lines stay on top of them.
  draw_stations(scene, x_of, speed.top, axis_y, out);
  draw_speed(scene, x_of, box, speed, out);
  draw_gradient(scene, x_of, box, gradient, out);

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
