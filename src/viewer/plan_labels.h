// Placing the station names of the plan so that they cover neither each other nor the
// station marks: each name tries a few spots around its mark and takes the first free one.
#pragma once

#include <cstddef>
#include <vector>

namespace sb {

inline constexpr double kStationFontSize = 10;

struct LabelRequest {
  double x = 0, y = 0;    // the station's mark, in view coordinates
  double nx = 0, ny = 0;  // a unit normal to the route there (zero when unknown)
  std::size_t chars = 0;  // length of the name
};

struct LabelSpot {
  double x = 0, y = 0;           // the text's anchor point, vertically centred on the text
  const char* anchor = "start";  // text-anchor: start, middle or end
};

// One spot per request, in the same order. Stations are placed in order; the first choice
// alternates between the two sides of the route, the other spots serve when it is taken.
std::vector<LabelSpot> place_station_labels(const std::vector<LabelRequest>& requests);

}  // namespace sb
