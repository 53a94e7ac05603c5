// The curve entries of a route plan: its steps made again one by one, each from the two points
// before it, and recognised as straight or as turning by one of the curve classes' angles;
// the same turn over successive metres is one entry.
#pragma once

#include <cstdint>
#include <vector>

#include "model/route_matrix.h"
#include "viewer/decompiled_entries.h"

namespace sb {

struct RecoveredCurves {
  std::vector<CurveEntry> curves;
  // Metres whose point no curve entry makes (a hand-edited or damaged plan), in order; at most
  // a few are kept, `unexplained` counts them all.
  std::vector<std::int64_t> unexplained_metres;
  std::int64_t unexplained = 0;
};

RecoveredCurves recover_curves(const RouteMatrix& route);

}  // namespace sb
