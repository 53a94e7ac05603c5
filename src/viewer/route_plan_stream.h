// Reading a route matrix file metre by metre: the two halves of the file (all first
// coordinates, then all second ones) are read at once through two readers of the same file,
// a block at a time, so that neither the file nor the plan is ever held whole.
#pragma once

#include <cstdint>
#include <string>

#include "viewer/decompile_curves.h"

namespace sb {

// Hands the points of metres 0 .. upper of the file at `path` to `finder`. False when the
// file does not hold exactly that many metres of well-formed elements (the caller then decodes
// it whole, which says what is wrong). Throws PlatformError when the file cannot be read.
bool stream_route_plan(const std::string& path, std::int32_t upper, CurveFinder& finder);

}  // namespace sb
