// What the plan picture shows, gathered from the three compiled files: the route's centre line
// (thinned out for long routes), the objects placed on it, and the values along the line for
// the strip below the plan. Positions are in metres: plan coordinates as the route matrix
// holds them, chainages along the route.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/route_matrix.h"
#include "model/station_record.h"
#include "model/track_cell.h"

namespace sb {

// The most points a drawn line of the route may have, whatever the route's length.
inline constexpr std::size_t kMaxPlanPoints = 4000;

struct PlanPoint {
  double x = 0.0;  // first coordinate of the route matrix
  double y = 0.0;  // second coordinate: the direction in which the route starts
};

// An object on the route: its chainage, its point on the plan, the route's direction there (a
// unit vector, or zero when it cannot be told) and its name, if it has one.
struct PlanMark {
  std::int64_t metre = 0;
  PlanPoint at;
  PlanPoint direction;
  std::string name;
};

// A value that holds from one chainage to the next.
struct PlanStep {
  std::int64_t from_m = 0;
  std::int64_t to_m = 0;
  int value = 0;

  friend bool operator==(const PlanStep&, const PlanStep&) = default;
};

struct PlanScene {
  std::string scenario_name;
  std::string line_name;
  std::int64_t line_length_m = 0;  // the line without its run-out

  std::vector<PlanPoint> route;    // chainage 0 to the end of the line
  std::vector<PlanPoint> run_out;  // the end of the line to the last point of the plan
  PlanPoint low, high;             // corners of the box around every point of the plan
  std::vector<std::vector<PlanPoint>> mountain_sides;  // one line per stretch

  std::vector<PlanMark> stations;      // named, in slot order
  std::vector<PlanMark> signals;       // track cells of kind 1
  std::vector<PlanMark> speed_boards;  // track cells of kind 6

  // The strip: from chainage 0 to the end of the line, or to the last station stop when it
  // lies beyond (the stop of a terminus platform that reaches past the line's end).
  std::int64_t strip_length_m = 0;
  std::vector<PlanStep> speed_limit_kmh;
  std::vector<PlanStep> gradient;
  std::vector<PlanMark> stops;  // track cells of kind 10, named after their station
};

// Throws std::invalid_argument when the route matrix has no point with both coordinates.
PlanScene build_plan_scene(const RouteMatrix& route, const std::vector<StationRecord>& stations,
                           const std::vector<TrackCell>& track);

}  // namespace sb
