#include "compiler/memorizza_percorso.h"

#include <optional>

#include "compiler/output_files.h"
#include "compiler/protection.h"
#include "compiler/stamping.h"
#include "platform/platform_error.h"
#include "reader/memorizza_dati.h"

namespace sb {

bool outputs_wanted(const Scenario& s) {
  switch (s.output_policy) {
    case Scenario::OutputPolicy::kAlways:
      return true;
    case Scenario::OutputPolicy::kUnlessFaults:
      return blocking_diagnostics(s) == 0;
    case Scenario::OutputPolicy::kNever:
      return false;
  }
  return false;
}

bool memorizza_percorso(Scenario& s, const std::int32_t& j) {
  s.write_geometry = j;
  s.error_code = 0;
  for (s.cell_index = 0; s.cell_index < kStationSlots; ++s.cell_index) {
    s.station_table[static_cast<std::size_t>(s.cell_index)] = StationRecord{};
  }
  // A build that may write its files starts them before the reading: the route plan goes
  // into its file while it is computed. A build that never writes creates nothing.
  std::optional<CompiledFiles> files;
  try {
    if (s.output_policy != Scenario::OutputPolicy::kNever) files.emplace(s);
    memorizza_dati(s);
  } catch (const PlatformError& e) {
    throw e.with_note(OutputSet::kNothingChanged);
  }
  // Cell 1 is the header cell of the compiled track: without it there is nothing to stamp.
  if (!s.has_cell(1)) return false;
  protect_track(s);
  if (!stamp(s)) return false;
  if (outputs_wanted(s)) files->write();
  return true;
}

}  // namespace sb
