// Stamping of the compiled data before it is written: the track marker and the code from
// `codice_gara_og` in track cell 1, the station-table marker and the code from
// `codice_gara_st` in station slot 85.
#pragma once

#include <cstdint>

#include "model/scenario.h"

namespace sb {

inline constexpr std::int16_t kTrackMarker = 5121;   // `value1` of track cell 1
inline constexpr std::int16_t kStationMarker = 610;  // `param_d` of station slot 85

// Stops the build through `errore` with the number of `Fault::kHeaderMarkerSet` when a
// marker field is already non-zero, and with that of `Fault::kHeaderCodeSet` when a code field
// is; either stop comes before any file is written.
// Cell 1 is the header of the compiled track, so there is nothing to stamp (nor to write)
// without it: when the track table has no cell 1, stamp changes nothing and returns false,
// and the caller must not go on to write the files. Otherwise it returns true.
bool stamp(Scenario& s);

}  // namespace sb
