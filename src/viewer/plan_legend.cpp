// The legend under the plan, one entry per sort of object drawn as on the plan, in rows that
// wrap, and the scale bar at the right end of the first row.
#include <string>
#include <vector>

#include "viewer/plan_numbers.h"
#include "viewer/plan_svg_parts.h"
#include "viewer/plan_symbols.h"
#include "viewer/text_width.h"

namespace sb {
namespace {

constexpr double kFont = 10;
constexpr double kSwatch = 22;  // room for an entry's symbol
constexpr double kRowHeight = 17;
constexpr double kEntryGap = 16;
constexpr ViewPoint kSymbolCentre{9, 0};  // of an entry's symbol

struct Entry {
  std::string symbol;  // SVG elements drawn with their left middle at (0, 0)
  std::string text;
};

std::string line_swatch(const char* stroke, double width, const char* extra) {
  return "<line x1=\"0\" y1=\"0\" x2=\"18\" y2=\"0\" stroke=\"" + std::string(stroke) +
         "\" stroke-width=\"" + std::to_string(width) + "\"" + extra + "/>";
}

std::vector<Entry> entries() {
  std::string curves;
  for (int k = 1; k <= 6; ++k) {
    curves += "<rect x=\"" + std::to_string(3 * (k - 1)) +
              "\" y=\"-2\" width=\"3\" height=\"4\" fill=\"" + colour::kCurve[k] + "\"/>";
  }
  return {
      {line_swatch(colour::kRoute, 2.5, ""), "route"},
      {line_swatch(colour::kRunOut, 1.5, " stroke-dasharray=\"6 4\""), "run-out"},
      {line_swatch(colour::kMountainSide, 12, " stroke-opacity=\"0.4\""), "mountain side"},
      {curves, "curve, class 1 to 6, on the side it turns to"},
      {line_swatch(colour::kSlowOrder, 9, " stroke-opacity=\"0.55\""), "slow order"},
      {"<line x1=\"9\" y1=\"-5\" x2=\"9\" y2=\"5\" stroke=\"" + std::string(colour::kTick) +
           "\" stroke-width=\"1.2\"/>",
       "kilometre"},
      {station_symbol(kSymbolCentre, true), "station"},
      {station_symbol(kSymbolCentre, false), "station without a stop cell (kind 25 and above)"},
      {signal_symbol(kSymbolCentre), "signal"},
      {speed_board_symbol(kSymbolCentre), "speed board (km/h)"},
      {signboard_symbol(kSymbolCentre), "signboard"},
      {warning_board_symbol(kSymbolCentre), "warning board"},
      {"<path d=\"M9 -3 L12 0 9 3 6 0 Z\" fill=\"" + std::string(colour::kAbbattimento) + "\"/>",
       "abbattimento point"},
  };
}

}  // namespace

void draw_legend(const Projection& at, std::ostream& out) {
  // The scale bar: a round distance of at most 150 units.
  const double metres = nice_length(150 / at.scale());
  const double length = metres * at.scale();
  const double right = kPlanFrame.right - 10;
  const double left = right - length;
  const std::string scale_text = distance_label(metres);
  const double scale_start = left - 6 - text_width(scale_text, kFont);
  out << "<g id=\"scale-bar\">\n";
  out << "<path d=\"M" << left << " " << kLegendY - 5 << " V" << kLegendY + 1 << " H" << right
      << " V" << kLegendY - 5 << "\" fill=\"none\" stroke=\"#222222\" stroke-width=\"1.5\"/>\n";
  out << "<text x=\"" << left - 6 << "\" y=\"" << kLegendY + 4 << "\" font-size=\"" << kFont
      << "\" text-anchor=\"end\">" << scale_text << "</text>\n";
  out << "</g>\n";

  out << "<g id=\"legend\">\n";
  double x = kPlanFrame.left + 6, y = kLegendY;
  double limit = scale_start - kEntryGap;
  for (const Entry& e : entries()) {
    const double width = kSwatch + text_width(e.text, kFont);
    if (x + width > limit) {
      x = kPlanFrame.left + 6;
      y += kRowHeight;
      limit = kPlanFrame.right;
    }
    out << "<g transform=\"translate(" << x << " " << y << ")\">" << e.symbol << "<text x=\""
        << kSwatch << "\" y=\"3.5\" font-size=\"" << kFont << "\">" << e.text << "</text></g>\n";
    x += width + kEntryGap;
  }
  out << "</g>\n";
}

}  // namespace sb
