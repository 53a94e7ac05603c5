// What the plan picture shows, gathered from the three compiled files: the route's centre line
// (thinned out for long routes), every object placed on it with what it shows beside it and
// what it tells on hover, and the values along the line for the strip below the plan.
// Positions are in metres: plan coordinates as the route matrix holds them, chainages along
// the route.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/route_matrix.h"
#include "model/station_record.h"
#include "model/track_cell.h"
#include "viewer/route_points.h"

namespace sb {

// The most points a drawn line of the route may have, whatever the route's length.
inline constexpr std::size_t kMaxPlanPoints = 4000;

// An object of the plan: a point object (a station, a signal, a board ...) or a stretch of
// the route (a slow order, a curve, a mountain side).
struct PlanObject {
  std::int64_t metre = 0;       // its chainage; a stretch's start
  std::int64_t to_m = 0;        // a stretch's end; `metre` for a point object
  bool on_route = false;        // `at` and `direction` hold its place on the route
  PlanPoint at;                 // its point on the plan
  PlanPoint direction;          // the route's direction there (unit vector), or zero
  std::vector<PlanPoint> line;  // a stretch's part of the route
  std::string label;            // the text drawn beside it (raw bytes); may be empty
  std::string title;            // what it is and its values, shown on hover (raw bytes)
  // What sets it apart from others of its sort: a station with a stop cell (1) or without
  // (0); a curve's class (1 to 6, or 0 for none); a mountain side's type.
  int variant = 0;
  int side = 0;  // the side a curve turns to: 1 right, -1 left
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
  // Corners of the box that the picture fits to its frame: the route up to the end of the
  // line, and the stations beyond it. The run-out is drawn as far as the frame reaches.
  PlanPoint low, high;

  std::vector<PlanObject> stations;         // in slot order; variant: has a stop cell
  std::vector<PlanObject> signals;          // track cells of kind 1
  std::vector<PlanObject> speed_boards;     // kind 6, labelled with their speeds
  std::vector<PlanObject> signboards;       // kind 14, labelled with their text
  std::vector<PlanObject> slow_orders;      // from the start cell (kind 3) to the end cell
  std::vector<PlanObject> warning_boards;   // kind 4
  std::vector<PlanObject> abbattimento;     // kinds 12 and 13
  std::vector<PlanObject> curves;           // found in the route's plan
  std::vector<PlanObject> mountain_sides;   // runs of cells with the same mountain side
  std::vector<PlanObject> kilometre_ticks;  // at round chainages along the line

  // The strip: from chainage 0 to the end of the line, or to the last station when it lies
  // beyond.
  std::int64_t strip_length_m = 0;
  std::vector<PlanStep> line_speed_kmh;  // the cells' speed limit
  std::vector<PlanStep> speed_kmh;       // the same, lowered to each slow order's speed
  std::vector<PlanStep> gradient;        // per mille, signed
};

// Throws std::invalid_argument when the route matrix has no point with both coordinates.
PlanScene build_plan_scene(const RouteMatrix& route, const std::vector<StationRecord>& stations,
                           const std::vector<TrackCell>& track);

}  // namespace sb
