// A "stazione" entry: the station's slot in the station table, its platform ends, its stop
// cell and the approach marks before it.
#include <cstdint>

#include "model/cell_geometry.h"
#include "model/rounding.h"
#include "reader/entry_warnings.h"
#include "reader/field_reader.h"
#include "reader/keywords.h"
#include "reader/passes.h"
#include "reader/read_failure.h"
#include "reader/reader_support.h"
#include "reader/value_warnings.h"

namespace sb {
namespace {

constexpr int kMinimumSpacing = 350;   // metres between two platforms
constexpr int kLongPlatform = 600;     // shorter platforms lose param_b
constexpr int kTerminusOverrun = 150;  // metres a terminus platform runs past the position

// Start and end of the platform, by kind.
void platform_ends(StationRecord& r, std::int32_t p, std::int32_t length) {
  if (is_terminus_kind(r.kind)) {
    r.end_m = fit_i32(std::int64_t{p} + kTerminusOverrun, "platform end");
    r.start_m = fit_i32(std::int64_t{p} - length, "platform start");
    r.param_c = 0;
  } else if (is_two_sided_kind(r.kind)) {
    r.start_m = fit_i32(std::int64_t{p} - length, "platform start");
    r.end_m = fit_i32(std::int64_t{p} + length, "platform end");
    r.param_c = 0;
  } else {
    r.start_m = fit_i32(std::int64_t{p} - length / 2, "platform start");
    r.end_m =
        fit_i32(std::int64_t{p} + length / 2 + (r.param_c != 0 ? kCellLength : 0), "platform end");
  }
}

// Fault 22 for station `r`, whose platform starts too close after `previous`'s end; the notes
// say where the previous station stands and, when it is not before this one, that the two are
// at the same place or out of order.
void platforms_too_close(Scenario& s, const StationRecord& r, const StationRecord& previous,
                         std::int64_t previous_line) {
  const std::int32_t p = r.position_m;
  Diagnostic& d = value_fault(s, Fault::kPlatformsTooClose, 1, p);
  const std::string end = std::to_string(previous.end_m) + " m";
  d.message =
      "the platform starts at " + std::to_string(r.start_m) + " m, " +
      (r.start_m >= previous.end_m ? "less than " + std::to_string(kMinimumSpacing) + " m after"
                                   : "before") +
      " the previous platform's end at " + end;
  d.notes.push_back("the previous station stands at " + std::to_string(previous.position_m) +
                    " m (" + s.diagnostics.where.file + ":" + std::to_string(previous_line) + ")");
  if (p == previous.position_m) {
    d.notes.push_back("the two stations stand at the same place");
  } else if (p < previous.position_m) {
    d.notes.push_back("the stations are out of order: this one comes before the previous one");
  }
}

}  // namespace

Outcome read_station_entry(Scenario& s, ReaderState& st, FieldReader& in,
                           std::int32_t& station_slot) {
  const std::int32_t signboard_slot = st.signboard_slot;
  if (station_slot < 0 || station_slot >= kStationSlots) {
    throw ReadFailure("the station table is full");
  }
  StationRecord& r = s.station_table[static_cast<std::size_t>(station_slot)];
  const std::int32_t p = in.read_number();
  r.position_m = p;
  if (!range_ok(s, p, kStationMargin)) return Outcome::kEndPass;
  check_run_out(s, kw::kStation.name(), p);
  if (!on_cell_boundary(p)) {
    value_fault(s, Fault::kStationNotMultiple, 1, p);
    return Outcome::kStop;
  }
  r.kind = fit_u8(in.read_number(), "station kind");
  const std::int32_t length = in.read_number();  // the platform's
  if (length % 100 != 0) {
    value_fault(s, Fault::kPlatformNotMultiple, 3, p).message =
        "the platform length " + std::to_string(length) + " m is not a multiple of 100";
    return Outcome::kStop;
  }
  r.param_a = fit_u8(in.read_number(), "station value 4");
  r.param_b = fit_u8(in.read_number(), "station value 5");
  r.param_c = fit_u8(in.read_number(), "station value 6");
  r.param_d = fit_i16(in.read_number(), "station value 7");
  r.param_e = fit_i16(in.read_number(), "station value 8");
  r.param_f = fit_u8(in.read_number(), "station value 9");
  r.param_g = fit_i16(in.read_number(), "station value 10");
  r.param_h = fit_i16(in.read_number(), "station value 11");
  r.param_i = fit_i16(in.read_number(), "station value 12");
  r.param_j = fit_u8(in.read_number(), "station value 13");
  const std::int64_t hours = in.read_number();
  const std::int64_t minutes = in.read_number();
  const std::int64_t seconds = in.read_number();
  check_time_of_day(s, {hours, minutes, seconds}, 14,
                    "the stop time of the station at " + std::to_string(p) + " m", true);
  const std::int64_t time = (hours * 60 + minutes) * 60 + seconds;
  if (time < INT32_MIN || time > INT32_MAX) {
    throw ReadFailure::of_value("station time " + std::to_string(time) + " does not fit 32 bits",
                                14);
  }
  r.time_s = static_cast<std::int32_t>(time);
  r.name = fit_name(in.read_field(), "station name");
  const ReadPosition& at = s.diagnostics.where;
  check_name(s, r.name, "the station at " + std::to_string(p) + " m", at.entry.line, at.field.line);

  platform_ends(r, p, length);
  if (length < kLongPlatform) r.param_b = 0;
  if (station_slot == 1) {
    r.param_c = 0;
    r.param_b = 0;
  }

  if (marks_track(r.kind) && !is_terminus_kind(r.kind)) {
    for (int k = 1; k <= 4; ++k) {
      const double q = in_cells(r.end_m) - k - 1;
      if (q > 1) track_cell(s, round_index(q)).approach_mark = static_cast<std::uint8_t>(80 + k);
    }
  }
  if (marks_track(r.kind)) {
    const double q = in_cells(r.end_m) - 1;
    if (!(q > 1)) {
      value_fault(s, Fault::kStopTooEarly, 1).message =
          "the stop of the station at " + std::to_string(p) + " m would fall at or before " +
          std::to_string(kCellLength) + " m: its platform ends at " + std::to_string(r.end_m) +
          " m";
      return Outcome::kStop;
    }
    const std::int32_t n = round_index(q);
    TrackCell& stop = track_cell(s, n);
    stop.kind = kStationStop;
    stop.value1 = static_cast<std::int16_t>(station_slot);
    record_origin(s, n, "the stop of a station", p);
  }

  if (station_slot > 1) {
    const StationRecord& previous = s.station_table[static_cast<std::size_t>(station_slot - 1)];
    if (std::int64_t{r.start_m} - kMinimumSpacing < previous.end_m) {
      platforms_too_close(s, r, previous, st.previous_station_line);
      return Outcome::kStop;
    }
  }
  st.previous_station_line = s.diagnostics.where.entry.line;
  ++station_slot;
  if (station_slot >= signboard_slot) {
    const int signboards = kFirstSignboardSlot - signboard_slot;
    set_error(s, Fault::kStationTableFull).message =
        "the station table is full: the station at " + std::to_string(p) + " m is station " +
        std::to_string(station_slot - 1) + ", and at most " +
        std::to_string(kFirstSignboardSlot - 2 - signboards) +
        " stations fit (78, less one for each of the line file's " + std::to_string(signboards) +
        " signboards)";
    return Outcome::kStop;
  }
  return Outcome::kGoOn;
}

}  // namespace sb
