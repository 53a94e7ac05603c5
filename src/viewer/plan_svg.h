// The plan picture as an SVG document: the route's plan with its objects, a scale bar and a
// legend, and below it the strip of the line along its chainage. The view box has a fixed
// size; the route is scaled to fit it, whatever its length.
#pragma once

#include <string>

#include "viewer/plan_scene.h"

namespace sb {

std::string plan_svg(const PlanScene& scene);

}  // namespace sb
