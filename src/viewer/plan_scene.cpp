#include "viewer/plan_scene.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "model/cell_geometry.h"
#include "viewer/author_values.h"
#include "viewer/cell_descriptions.h"
#include "viewer/plan_numbers.h"
#include "viewer/route_curves.h"
#include "viewer/station_slots.h"

namespace sb {
namespace {

// Half the length over which the route's direction at an object is measured.
constexpr std::int64_t kDirectionReach = 10;
// About this many kilometre ticks along the line, never closer than 1 km on a long line.
constexpr double kTickCount = 20;
constexpr double kLongLine = 5000;

std::int64_t last_point(const RouteMatrix& m) {
  for (std::int64_t k = m.upper(); k >= 0; --k) {
    if (has_point(m, k)) return k;
  }
  return -1;
}

// The points at `from`, at every multiple of `stride` between, and at `to`.
std::vector<PlanPoint> sample(const RouteMatrix& m, std::int64_t from, std::int64_t to,
                              std::int64_t stride) {
  std::vector<PlanPoint> points;
  if (from > to) return points;
  auto add = [&](std::int64_t k) {
    if (has_point(m, k)) points.push_back(point_at(m, k));
  };
  add(from);
  for (std::int64_t k = (from / stride + 1) * stride; k < to; k += stride) add(k);
  if (to > from) add(to);
  return points;
}

// An object at `metre`, placed on the route when the route has a point there.
PlanObject object_at(const RouteMatrix& m, std::int64_t metre, std::int64_t last) {
  PlanObject object;
  object.metre = object.to_m = metre;
  if (metre < 0 || metre > last || !has_point(m, metre)) return object;
  object.on_route = true;
  object.at = point_at(m, metre);
  const std::int64_t a = std::max<std::int64_t>(0, metre - kDirectionReach);
  const std::int64_t b = std::min(last, metre + kDirectionReach);
  if (a < b && has_point(m, a) && has_point(m, b)) {
    const PlanPoint pa = point_at(m, a), pb = point_at(m, b);
    const double dx = pb.x - pa.x, dy = pb.y - pa.y;
    const double length = std::hypot(dx, dy);
    if (length > 0 && std::isfinite(length)) object.direction = {dx / length, dy / length};
  }
  return object;
}

// A stretch from `from` to `to`, with its part of the route.
PlanObject stretch(const RouteMatrix& m, std::int64_t from, std::int64_t to, std::int64_t last,
                   std::int64_t stride) {
  const std::int64_t middle = from + (to - from) / 2;
  PlanObject object = object_at(m, std::clamp(middle, std::int64_t{0}, last), last);
  object.metre = from;
  object.to_m = to;
  object.line = sample(m, std::max<std::int64_t>(0, from), std::min(to, last), stride);
  return object;
}

std::string quoted(const std::string& name) {
  return "\"" + name + "\"";
}

std::string at_text(std::int64_t metre) {
  return " at " + metres_text(metre);
}

std::string from_to_text(std::int64_t from, std::int64_t to) {
  return " from " + metres_text(from) + " to " + metres_text(to);
}

std::string title_at(const Description& d, std::int64_t metre) {
  return description_text(d, quoted, at_text(metre));
}

const StationRecord* slot_or_null(const std::vector<StationRecord>& stations, std::int64_t k) {
  if (k < 0 || k >= static_cast<std::int64_t>(stations.size())) return nullptr;
  return &stations[static_cast<std::size_t>(k)];
}

void add_step(std::vector<PlanStep>& steps, std::int64_t from, std::int64_t to, int value) {
  if (!steps.empty() && steps.back().value == value && steps.back().to_m == from) {
    steps.back().to_m = to;
  } else {
    steps.push_back({from, to, value});
  }
}

std::string curve_title(const RouteCurve& c) {
  const bool right = c.curvature > 0;
  std::string details = right ? "right-hand" : "left-hand";
  if (c.curve_class != 0) {
    details += ", class " + std::to_string(c.curve_class) + " (" + (right ? "curvad" : "curvas") +
               std::to_string(c.curve_class) + "), radius " +
               metres_text(std::llround(1 / class_curvature(c.curve_class)));
  } else {
    details +=
        ", radius " + metres_text(std::llround(1 / std::fabs(c.curvature))) + ", of no curve class";
  }
  return "curve" + from_to_text(c.from_m, c.to_m) + " (" + metres_text(c.to_m - c.from_m) +
         "): " + details;
}

void add_curves(PlanScene& scene, const RouteMatrix& route, std::int64_t last,
                std::int64_t stride) {
  for (const RouteCurve& c : find_route_curves(route, last)) {
    PlanObject curve = stretch(route, c.from_m, c.to_m, last, stride);
    curve.variant = c.curve_class;
    curve.side = c.curvature > 0 ? 1 : -1;
    curve.title = curve_title(c);
    scene.curves.push_back(std::move(curve));
  }
}

void add_kilometre_ticks(PlanScene& scene, const RouteMatrix& route, std::int64_t last) {
  const auto length = static_cast<double>(scene.line_length_m);
  if (length <= 0) return;
  double step = nice_length_above(length / kTickCount);
  if (length >= kLongLine) step = std::max(step, 1000.0);
  for (double m = 0; m <= length; m += step) {
    PlanObject tick = object_at(route, std::llround(m), last);
    if (!tick.on_route) continue;
    tick.label = distance_label(m);
    tick.title = "chainage " + metres_text(tick.metre);
    scene.kilometre_ticks.push_back(std::move(tick));
  }
}

void add_stations(PlanScene& scene, const RouteMatrix& route,
                  const std::vector<StationRecord>& stations, std::int64_t last) {
  for (std::size_t k = 0; k < stations.size(); ++k) {
    const auto slot = static_cast<int>(k);
    const StationRecord& r = stations[k];
    if (!is_station_slot(slot, r)) continue;
    PlanObject station = object_at(route, r.position_m, last);
    station.label = r.name;
    station.variant = has_stop_cell(r) ? 1 : 0;
    station.title = title_at(describe_slot(slot, r), r.position_m);
    scene.stations.push_back(std::move(station));
  }
}

// The point objects of the track and the slow orders; returns the slow orders' stretches
// with their speeds, for the strip.
std::vector<PlanStep> add_track_objects(PlanScene& scene, const RouteMatrix& route,
                                        const std::vector<StationRecord>& stations,
                                        const std::vector<TrackCell>& track, std::int64_t last,
                                        std::int64_t stride) {
  std::vector<PlanStep> slowed;
  for (std::size_t n = 1; n < track.size(); ++n) {
    const TrackCell& cell = track[n];
    // Station stops are drawn from the station table; markers and pre-warning cells are told
    // in the hover texts of their stretch and their warning board.
    if (cell.kind == kPlain || cell.kind == kStationStop || cell.kind == kMountainMarker ||
        cell.kind == kPreWarning || cell.kind == kSlowOrderEnd) {
      continue;
    }
    const std::int64_t metre = point_chainage(n);
    const Description d = describe_cell(track, n, &stations);
    PlanObject object = object_at(route, metre, last);
    object.title = title_at(d, metre);
    switch (cell.kind) {
      case kSignal:
        scene.signals.push_back(std::move(object));
        break;
      case kSpeedBoard:
        object.label = speed_board_label(read_speed_board(cell));
        scene.speed_boards.push_back(std::move(object));
        break;
      case kSignboard:
        object.label = d.name.value_or("");
        scene.signboards.push_back(std::move(object));
        break;
      case kWarningBoard: {
        int pre_warning = 0;
        for (std::size_t k = n - 1; k > 0 && k + 4 >= n && track[k].kind == kPreWarning; --k) {
          ++pre_warning;
        }
        if (pre_warning > 0)
          object.title += ", " + std::to_string(pre_warning) + " pre-warning cells";
        scene.warning_boards.push_back(std::move(object));
        break;
      }
      case kAbbattimento:
      case kAbbattimentoNoValue:
        scene.abbattimento.push_back(std::move(object));
        break;
      case kSlowOrderStart: {
        const std::int64_t to = slow_order_end(track, n);
        PlanObject order = stretch(route, metre, to, last, stride);
        order.label = std::to_string(cell.value1) + " km/h";
        order.title =
            description_text({"slow order", std::nullopt, d.details}, quoted, at_text(metre));
        scene.slow_orders.push_back(std::move(order));
        slowed.push_back({metre, std::max(to, metre + kCellLength), cell.value1});
        break;
      }
      default:
        break;
    }
  }
  return slowed;
}

void add_mountain_sides(PlanScene& scene, const RouteMatrix& route,
                        const std::vector<TrackCell>& track, std::int64_t last,
                        std::int64_t stride) {
  for (std::size_t n = 0; n < track.size();) {
    const int type = track[n].mountain_side;
    if (type == 0) {
      ++n;
      continue;
    }
    std::size_t end = n;
    bool markers = track[n].kind == kMountainMarker;
    while (end + 1 < track.size() && track[end + 1].mountain_side == type) {
      ++end;
      markers = markers || track[end].kind == kMountainMarker;
    }
    const std::int64_t from = layer_chainage(n), to = layer_chainage(end + 1);
    PlanObject side = stretch(route, from, to, last, stride);
    side.variant = type;
    side.title = "mountain side" + from_to_text(from, to) + ": type " + std::to_string(type) +
                 (markers ? ", with markers" : "");
    if (side.line.size() >= 2) scene.mountain_sides.push_back(std::move(side));
    n = end + 1;
  }
}

// The strip's values, cell by cell from chainage 0: a cell's running values start at n x 50.
void add_strip(PlanScene& scene, const std::vector<TrackCell>& track,
               const std::vector<PlanStep>& slowed) {
  for (std::size_t n = 0; n < track.size() && layer_chainage(n) < scene.strip_length_m; ++n) {
    const std::int64_t from = layer_chainage(n);
    const std::int64_t to = std::min(from + kCellLength, scene.strip_length_m);
    const int line_speed = speed_kmh(track[n].speed_limit);
    int speed = line_speed;
    for (const PlanStep& s : slowed) {
      if (from >= s.from_m && from < s.to_m) speed = std::min(speed, s.value);
    }
    add_step(scene.line_speed_kmh, from, to, line_speed);
    add_step(scene.speed_kmh, from, to, speed);
    add_step(scene.gradient, from, to, gradient_per_mille(track[n].gradient));
  }
}

}  // namespace

PlanScene build_plan_scene(const RouteMatrix& route, const std::vector<StationRecord>& stations,
                           const std::vector<TrackCell>& track) {
  const std::int64_t last = last_point(route);
  if (last < 0) throw std::invalid_argument("the route matrix holds no point of the route");

  PlanScene scene;
  if (const auto* r = slot_or_null(stations, kScenarioSlot)) scene.scenario_name = r->name;
  if (const auto* r = slot_or_null(stations, kLineSlot)) scene.line_name = r->name;
  const auto* train = slot_or_null(stations, kTrainDataSlot);
  scene.line_length_m = train && train->end_m > 0 ? train->end_m : last;

  // The drawn lines are thinned out to one point every `stride` metres.
  const auto max_points = static_cast<std::int64_t>(kMaxPlanPoints);
  const std::int64_t stride = std::max<std::int64_t>(1, (last + max_points) / max_points);
  const std::int64_t line_end = std::min(scene.line_length_m, last);
  scene.route = sample(route, 0, line_end, stride);
  scene.run_out = sample(route, line_end, last, stride);

  add_stations(scene, route, stations, last);
  scene.strip_length_m = scene.line_length_m;
  std::int64_t fit_end = line_end;
  for (const PlanObject& s : scene.stations) {
    scene.strip_length_m = std::max(scene.strip_length_m, s.metre);
    if (s.on_route) fit_end = std::max(fit_end, s.metre);
  }
  bool first = true;
  for (std::int64_t k = 0; k <= fit_end; ++k) {
    if (!has_point(route, k)) continue;
    const PlanPoint p = point_at(route, k);
    scene.low = first ? p : PlanPoint{std::min(scene.low.x, p.x), std::min(scene.low.y, p.y)};
    scene.high = first ? p : PlanPoint{std::max(scene.high.x, p.x), std::max(scene.high.y, p.y)};
    first = false;
  }

  const std::vector<PlanStep> slowed =
      add_track_objects(scene, route, stations, track, last, stride);
  add_mountain_sides(scene, route, track, last, stride);
  add_curves(scene, route, last, stride);
  add_kilometre_ticks(scene, route, last);
  add_strip(scene, track, slowed);
  return scene;
}

}  // namespace sb
