#include "viewer/plan_scene.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

#include "viewer/station_slots.h"

namespace sb {
namespace {

constexpr std::int64_t kCellLength = 50;
// Half the length over which the route's direction at a mark is measured.
constexpr std::int64_t kDirectionReach = 10;

// A metre whose two coordinates are both present and finite.
bool has_point(const RouteMatrix& m, std::int64_t metre) {
  if (!m.contains(metre)) return false;
  const auto k = static_cast<std::int32_t>(metre);
  for (int c = 0; c < 2; ++c) {
    if (m.tag(k, c) == ElementTag::kEmpty || !std::isfinite(m.number(k, c))) return false;
  }
  return true;
}

PlanPoint point_at(const RouteMatrix& m, std::int64_t metre) {
  const auto k = static_cast<std::int32_t>(metre);
  return {m.number(k, 0), m.number(k, 1)};
}

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

std::optional<PlanMark> mark_at(const RouteMatrix& m, std::int64_t metre, std::int64_t last,
                                std::string name) {
  if (metre < 0 || metre > last || !has_point(m, metre)) return std::nullopt;
  PlanMark mark;
  mark.metre = metre;
  mark.at = point_at(m, metre);
  mark.name = std::move(name);
  const std::int64_t a = std::max<std::int64_t>(0, metre - kDirectionReach);
  const std::int64_t b = std::min(last, metre + kDirectionReach);
  if (a < b && has_point(m, a) && has_point(m, b)) {
    const PlanPoint pa = point_at(m, a), pb = point_at(m, b);
    const double dx = pb.x - pa.x, dy = pb.y - pa.y;
    const double length = std::hypot(dx, dy);
    if (length > 0 && std::isfinite(length)) mark.direction = {dx / length, dy / length};
  }
  return mark;
}

// Chainage of the start of track cell n.
std::int64_t cell_start(std::size_t n) {
  return (static_cast<std::int64_t>(n) - 1) * kCellLength;
}

void add_step(std::vector<PlanStep>& steps, std::int64_t from, std::int64_t to, int value) {
  if (!steps.empty() && steps.back().value == value && steps.back().to_m == from) {
    steps.back().to_m = to;
  } else {
    steps.push_back({from, to, value});
  }
}

const StationRecord* slot_or_null(const std::vector<StationRecord>& stations, std::int64_t k) {
  if (k < 0 || k >= static_cast<std::int64_t>(stations.size())) return nullptr;
  return &stations[static_cast<std::size_t>(k)];
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

  // The plan: every point of the route counts for the box; the drawn lines are thinned out to
  // one point every `stride` metres.
  scene.low = scene.high = point_at(route, last);
  for (std::int64_t k = 0; k <= last; ++k) {
    if (!has_point(route, k)) continue;
    const PlanPoint p = point_at(route, k);
    scene.low = {std::min(scene.low.x, p.x), std::min(scene.low.y, p.y)};
    scene.high = {std::max(scene.high.x, p.x), std::max(scene.high.y, p.y)};
  }
  const auto max_points = static_cast<std::int64_t>(kMaxPlanPoints);
  const std::int64_t stride = std::max<std::int64_t>(1, (last + max_points) / max_points);
  const std::int64_t line_end = std::min(scene.line_length_m, last);
  scene.route = sample(route, 0, line_end, stride);
  scene.run_out = sample(route, line_end, last, stride);

  for (std::size_t n = 1; n < track.size();) {
    if (track[n].mountain_side == 0) {
      ++n;
      continue;
    }
    std::size_t end = n;
    while (end + 1 < track.size() && track[end + 1].mountain_side != 0) ++end;
    const std::int64_t from = std::max<std::int64_t>(0, cell_start(n));
    const std::int64_t to = std::min(last, cell_start(end + 1));
    auto band = sample(route, from, to, stride);
    if (band.size() >= 2) scene.mountain_sides.push_back(std::move(band));
    n = end + 1;
  }

  for (std::size_t k = 0; k < stations.size(); ++k) {
    if (!is_station_slot(static_cast<int>(k), stations[k])) continue;
    auto mark = mark_at(route, stations[k].position_m, last, stations[k].name);
    if (mark) scene.stations.push_back(std::move(*mark));
  }

  // Point objects of the track, and the strip from chainage 0 to the end of the line.
  scene.strip_length_m = scene.line_length_m;
  for (std::size_t n = 1; n < track.size(); ++n) {
    const TrackCell& cell = track[n];
    const std::int64_t from = cell_start(n);
    if (cell.kind == kSignal || cell.kind == kSpeedBoard) {
      auto mark = mark_at(route, from, last, "");
      if (mark) (cell.kind == kSignal ? scene.signals : scene.speed_boards).push_back(*mark);
    }
    if (cell.kind == kStationStop) {
      PlanMark stop;
      stop.metre = from;
      const auto* r = slot_or_null(stations, cell.value1);
      if (r && is_station_slot(cell.value1, *r)) stop.name = r->name;
      scene.stops.push_back(std::move(stop));
      scene.strip_length_m = std::max(scene.strip_length_m, from + kCellLength);
    }
  }
  for (std::size_t n = 1; n < track.size() && cell_start(n) < scene.strip_length_m; ++n) {
    const std::int64_t from = cell_start(n);
    const std::int64_t to = std::min(from + kCellLength, scene.strip_length_m);
    add_step(scene.speed_limit_kmh, from, to, track[n].speed_limit * 5);
    add_step(scene.gradient, from, to, track[n].gradient - 100);
  }
  return scene;
}

}  // namespace sb
