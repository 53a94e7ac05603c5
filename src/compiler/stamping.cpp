#include "compiler/stamping.h"

#include "compiler/scenario_codes.h"
#include "driver/error_stop.h"

namespace sb {

bool stamp(Scenario& s) {
  if (!s.has_cell(1)) return false;
  TrackCell& header = s.track_table[1];
  StationRecord& slot = s.station_table[kScenarioSlot];

  if (slot.param_d != 0 || header.value1 != 0) errore("1250");
  slot.param_d = kStationMarker;
  header.value1 = kTrackMarker;

  if (slot.time_s != 0 || header.value2 != 0) errore("1251");
  slot.time_s = codice_gara_st(s);
  header.value2 = static_cast<std::int16_t>(codice_gara_og(s));
  return true;
}

}  // namespace sb
