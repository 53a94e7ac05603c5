// The symbols of the plan's objects, one markup each: the plan draws them along the route and
// the legend beside their meaning, so the two always look alike.
#pragma once

#include <string>

#include "viewer/plan_svg_parts.h"

namespace sb {

// Each symbol centred on `c`.
std::string station_symbol(ViewPoint c, bool stop);  // dashed when it has no stop cell
std::string signal_symbol(ViewPoint c);
std::string speed_board_symbol(ViewPoint c);
std::string signboard_symbol(ViewPoint c);
std::string warning_board_symbol(ViewPoint c);

}  // namespace sb
