#include "viewer/cell_descriptions.h"

#include "model/cell_geometry.h"
#include "viewer/author_values.h"
#include "viewer/station_slots.h"

namespace sb {
namespace {

// The warning board stands 24 cells before its slow order's start; look a little further.
constexpr std::size_t kWarningReach = 30;

const StationRecord* named_slot(const std::vector<StationRecord>* stations, int slot) {
  if (!stations || slot < 0 || slot >= static_cast<int>(stations->size())) return nullptr;
  const StationRecord& r = (*stations)[static_cast<std::size_t>(slot)];
  return r.name.empty() ? nullptr : &r;
}

Description slow_order_cell(const std::vector<TrackCell>& cells, std::size_t n) {
  const TrackCell& cell = cells[n];
  const std::string value = ", value " + std::to_string(cell.value3);
  if (cell.kind == kSlowOrderStart) {
    const std::int64_t from = point_chainage(n), to = slow_order_end(cells, n);
    const std::string reach = to > from
                                  ? " to " + metres_text(to) + " (" + metres_text(to - from) + ")"
                                  : " (no end cell after it)";
    return {"slow-order start", std::nullopt, slow_order_values_text(cell) + reach + value};
  }
  std::string from;
  for (std::size_t k = n; k-- > 0;) {
    if (cells[k].kind == kSlowOrderStart) {
      from = " from " + metres_text(point_chainage(k));
      break;
    }
    if (cells[k].kind == kSlowOrderEnd) break;
  }
  return {"slow-order end", std::nullopt, slow_order_values_text(cell) + from + value};
}

Description warning_board(const std::vector<TrackCell>& cells, std::size_t n) {
  std::string details = slow_order_values_text(cells[n]);
  for (std::size_t k = n + 1; k < cells.size() && k <= n + kWarningReach; ++k) {
    if (cells[k].kind == kSlowOrderStart) {
      details += " for the slow order at " + metres_text(point_chainage(k));
      break;
    }
  }
  return {"warning board", std::nullopt, details};
}

Description approach_mark(const TrackCell& cell) {
  const int step = cell.approach_mark % 10, code = cell.approach_mark / 10;
  return {"approach mark", std::nullopt,
          "code " + std::to_string(code) + ", step " + std::to_string(step)};
}

}  // namespace

std::int64_t slow_order_end(const std::vector<TrackCell>& cells, std::size_t n) {
  for (std::size_t k = n + 1; k < cells.size(); ++k) {
    if (cells[k].kind == kSlowOrderEnd) return point_chainage(k);
    if (cells[k].kind == kSlowOrderStart) break;
  }
  return point_chainage(n);
}

bool has_stop_cell(const StationRecord& station) {
  return marks_track(station.kind);
}

Description describe_cell(const std::vector<TrackCell>& cells, std::size_t n,
                          const std::vector<StationRecord>* stations) {
  const TrackCell& cell = cells[n];
  switch (cell.kind) {
    case kPlain:
      if (n == 1) {
        return {"header cell", std::nullopt,
                "marker " + std::to_string(cell.value1) + ", code " + std::to_string(cell.value2)};
      }
      if (cell.approach_mark != 0) return approach_mark(cell);
      return {"plain", std::nullopt, ""};
    case kSignal:
      return {"signal", std::nullopt, signal_text(read_signal(cell))};
    case kSlowOrderEnd:
    case kSlowOrderStart:
      return slow_order_cell(cells, n);
    case kWarningBoard:
      return warning_board(cells, n);
    case kPreWarning:
      return {"pre-warning cell", std::nullopt, std::to_string(cell.value1) + " of 4"};
    case kSpeedBoard:
      return {"speed board", std::nullopt, speed_board_text(read_speed_board(cell))};
    case kStationStop: {
      const StationRecord* r = named_slot(stations, cell.value1);
      const std::string slot = "slot " + std::to_string(cell.value1);
      if (!r || !is_station_slot(cell.value1, *r)) return {"station stop", std::nullopt, slot};
      return {"station stop", r->name, "stop " + clock_text(r->time_s) + ", " + slot};
    }
    case kMountainMarker:
      return {"mountain-side marker", std::nullopt, "type " + std::to_string(cell.mountain_side)};
    case kAbbattimento:
      return {"abbattimento point", std::nullopt, "value " + std::to_string(cell.value1)};
    case kAbbattimentoNoValue:
      return {"abbattimento point without value", std::nullopt, ""};
    case kSignboard: {
      const StationRecord* r = named_slot(stations, cell.value1);
      return {"signboard", r ? std::optional(r->name) : std::nullopt,
              "slot " + std::to_string(cell.value1)};
    }
    default:
      return {"unknown kind", std::nullopt, "kind " + std::to_string(cell.kind)};
  }
}

Description describe_slot(int slot, const StationRecord& r) {
  if (is_empty_slot(r)) return {"", std::nullopt, ""};
  if (is_signboard_slot(slot, r)) return {"signboard", r.name, ""};
  if (is_station_slot(slot, r)) {
    std::string details = "kind " + std::to_string(r.kind) + ", platform " +
                          metres_text(r.start_m) + " to " + metres_text(r.end_m) + ", stop " +
                          clock_text(r.time_s);
    if (!has_stop_cell(r)) details += ", no stop cell";
    return {"station", r.name, details};
  }
  const auto three = [&] {
    return metres_text(r.start_m) + ", " + metres_text(r.end_m) + ", " + metres_text(r.position_m);
  };
  switch (slot) {
    case 0:
      return {"unused", std::nullopt, ""};
    case kChainageThreeSlot:
      return {"kilometric chainage three", std::nullopt, three()};
    case kChainageTwoSlot:
      return {"kilometric chainage two", std::nullopt, three()};
    case kChainageOneSlot:
      return {"kilometric chainage one", std::nullopt, three()};
    case kTrainDataSlot:
      return {"train data", std::nullopt,
              "braked mass " + std::to_string(r.start_m) + " %, line length " +
                  metres_text(r.end_m) + ", " + std::to_string(r.position_m) + " cars"};
    case kScenarioSlot:
      return {"scenario", r.name,
              "backgrounds " + std::to_string(r.start_m) + ", " + std::to_string(r.position_m) +
                  ", " + std::to_string(r.end_m) + ", marker " + std::to_string(r.param_d) +
                  ", code " + std::to_string(r.time_s)};
    case kLineSlot:
      return {"line", r.name,
              "signal repetition " + metres_text(r.start_m) + ", " + metres_text(r.end_m) + ", " +
                  std::to_string(r.position_m) + " codes, sand " + std::to_string(r.param_d) +
                  ", clock " + clock_text(r.param_g * 3600 + r.param_h * 60 + r.param_i)};
    default:
      return {"", std::nullopt, ""};
  }
}

}  // namespace sb
