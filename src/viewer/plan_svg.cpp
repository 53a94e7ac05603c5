// The SVG document: the title and the summary that counts every sort of object, the plan in
// its frame (clipped to it, so that the run-out ends at the frame), the legend, and the strip.
#include "viewer/plan_svg.h"

#include <algorithm>
#include <limits>
#include <sstream>

#include "viewer/plan_numbers.h"
#include "viewer/plan_svg_parts.h"
#include "viewer/svg_text.h"
#include "viewer/text_width.h"

namespace sb {
namespace {

constexpr double kSummaryFont = 11;

std::string counted(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string summary(const PlanScene& scene) {
  std::size_t stops = 0;
  for (const PlanObject& s : scene.stations) stops += s.variant != 0;
  return distance_label(static_cast<double>(scene.line_length_m)) +
         " line: " + counted(scene.stations.size(), "station", "stations") + " (" +
         std::to_string(stops) + " with a stop cell), " +
         counted(scene.signals.size(), "signal", "signals") + ", " +
         counted(scene.speed_boards.size(), "speed board", "speed boards") + ", " +
         counted(scene.signboards.size(), "signboard", "signboards") + ", " +
         counted(scene.slow_orders.size(), "slow order", "slow orders") + ", " +
         counted(scene.warning_boards.size(), "warning board", "warning boards") + ", " +
         counted(scene.curves.size(), "curve", "curves") + ", " +
         counted(scene.mountain_sides.size(), "mountain-side stretch", "mountain-side stretches") +
         ", " + counted(scene.abbattimento.size(), "abbattimento point", "abbattimento points");
}

}  // namespace

Projection::Projection(const PlanScene& scene, const ViewBox& area) : low_(scene.low) {
  const double dx = scene.high.x - scene.low.x, dy = scene.high.y - scene.low.y;
  const double inf = std::numeric_limits<double>::infinity();
  scale_ = std::min(dx > 0 ? area.width() / dx : inf, dy > 0 ? area.height() / dy : inf);
  if (!(scale_ < inf)) scale_ = 1;
  left_ = area.left + (area.width() - dx * scale_) / 2;
  bottom_ = area.bottom - (area.height() - dy * scale_) / 2;
}

std::string svg_title(const std::string& text) {
  return "<title>" + xml_text(text) + "</title>";
}

std::string svg_label(const std::string& cls, const std::string& text, const ViewBox& box,
                      double font_size, const char* fill) {
  return "<text class=\"label " + cls + "\" x=\"" + svg_number((box.left + box.right) / 2) +
         "\" y=\"" + svg_number((box.top + box.bottom) / 2) +
         "\" dy=\"0.35em\" text-anchor=\"middle\" font-size=\"" + svg_number(font_size) +
         "\" fill=\"" + fill + "\">" + xml_text(text) + "</text>";
}

std::string plan_svg(const PlanScene& scene) {
  std::ostringstream out;
  const Projection at(scene, kPlanArea);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " << kViewWidth << " "
      << kViewHeight << "\" width=\"" << kViewWidth << "\" height=\"" << kViewHeight
      << "\" font-family=\"DejaVu Sans, Arial, sans-serif\">\n";
  const std::string title = xml_text(scene.scenario_name) + " - " + xml_text(scene.line_name);
  out << "<title>" << title << "</title>\n";
  out << "<defs><clipPath id=\"plan-clip\"><rect x=\"" << kPlanFrame.left << "\" y=\""
      << kPlanFrame.top << "\" width=\"" << kPlanFrame.width() << "\" height=\""
      << kPlanFrame.height() << "\"/></clipPath></defs>\n";
  out << "<rect width=\"" << kViewWidth << "\" height=\"" << kViewHeight
      << "\" fill=\"#ffffff\"/>\n";
  out << "<text x=\"" << kPlanFrame.left << "\" y=\"30\" font-size=\"20\" font-weight=\"bold\">"
      << title << "</text>\n";
  // The summary takes one line, smaller when the counts run long.
  const std::string counts = summary(scene);
  const double size =
      std::min(kSummaryFont, kSummaryFont * kPlanFrame.width() / text_width(counts, kSummaryFont));
  out << "<text id=\"summary\" x=\"" << kPlanFrame.left << "\" y=\"52\" font-size=\""
      << svg_number(size) << "\">" << xml_text(counts) << "</text>\n";
  out << "<rect class=\"plan-frame\" x=\"" << kPlanFrame.left << "\" y=\"" << kPlanFrame.top
      << "\" width=\"" << kPlanFrame.width() << "\" height=\"" << kPlanFrame.height()
      << "\" fill=\"#fbfbf8\" stroke=\"#bbbbbb\" stroke-width=\"1\"/>\n";
  out << "<g id=\"plan\" clip-path=\"url(#plan-clip)\">\n";
  draw_plan(scene, at, out);
  out << "</g>\n";
  draw_legend(at, out);
  draw_strip(scene, kStripArea, out);
  out << "</svg>\n";
  return out.str();
}

}  // namespace sb
