#include "compiler/stamping.h"

#include "compiler/error_stop.h"
#include "compiler/scenario_codes.h"
#include "model/cell_geometry.h"

namespace sb {
namespace {

// The error stop, after a fault that says what holds the header field: the author sees it
// above the stop's own message.
[[noreturn]] void header_taken(Scenario& s, Fault fault, const char* field, bool in_cell) {
  Diagnostic d;
  d.code = fault_number(fault);
  d.message = std::string("the header ") + field +
              " is already set, so the build cannot stamp it; nothing is written";
  if (in_cell) {
    d.where = origin_spot(s, 1);
    d.notes.push_back(
        "the track's header cell 1 (" + cell_range(1) + ") holds " + origin_of(s, 1) +
        ": the header cell must stay empty, so move that entry further along the line");
  }
  s.diagnostics.add(std::move(d));
  errore(std::to_string(fault_number(fault)));
}

}  // namespace

bool stamp(Scenario& s) {
  if (!s.has_cell(1)) return false;
  TrackCell& header = s.track_table[1];
  StationRecord& slot = s.station_table[kScenarioSlot];

  if (slot.param_d != 0 || header.value1 != 0) {
    header_taken(s, Fault::kHeaderMarkerSet, "marker field", header.value1 != 0);
  }
  slot.param_d = kStationMarker;
  header.value1 = kTrackMarker;

  if (slot.time_s != 0 || header.value2 != 0) {
    header_taken(s, Fault::kHeaderCodeSet, "code field", header.value2 != 0);
  }
  slot.time_s = codice_gara_st(s);
  header.value2 = static_cast<std::int16_t>(codice_gara_og(s));
  return true;
}

}  // namespace sb
