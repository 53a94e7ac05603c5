#include "viewer/plan_symbols.h"

#include "viewer/svg_text.h"

namespace sb {
namespace {

std::string circle(ViewPoint c, const std::string& paint) {
  return "<circle cx=\"" + svg_number(c.x) + "\" cy=\"" + svg_number(c.y) + "\" r=\"4.5\" " +
         paint + "/>";
}

std::string rect(ViewPoint c, int width, int height, const std::string& paint) {
  return "<rect x=\"" + svg_number(c.x - width / 2.0) + "\" y=\"" + svg_number(c.y - height / 2.0) +
         "\" width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" " +
         paint + "/>";
}

}  // namespace

std::string station_symbol(ViewPoint c, bool stop) {
  return circle(c, "fill=\"#ffffff\" stroke=\"" +
                       std::string(stop ? colour::kStation : colour::kNoStopStation) +
                       "\" stroke-width=\"1.5\"" + (stop ? "" : " stroke-dasharray=\"2 1.5\""));
}

std::string signal_symbol(ViewPoint c) {
  return circle(
      c, "fill=\"" + std::string(colour::kSignal) + "\" stroke=\"#5a0d0d\" stroke-width=\"1\"");
}

std::string speed_board_symbol(ViewPoint c) {
  return rect(
      c, 9, 9,
      "fill=\"" + std::string(colour::kSpeedBoard) + "\" stroke=\"#0b2f4d\" stroke-width=\"1\"");
}

std::string signboard_symbol(ViewPoint c) {
  return rect(
      c, 11, 8,
      "fill=\"" + std::string(colour::kSignboard) + "\" stroke=\"#5c4700\" stroke-width=\"1\"");
}

std::string warning_board_symbol(ViewPoint c) {
  return "<path d=\"M" + svg_number(c.x) + " " + svg_number(c.y - 5) + " L" + svg_number(c.x + 5) +
         " " + svg_number(c.y + 4) + " " + svg_number(c.x - 5) + " " + svg_number(c.y + 4) +
         " Z\" fill=\"" + colour::kWarningBoard + "\" stroke=\"#7a3f00\" stroke-width=\"1\"/>";
}

}  // namespace sb
