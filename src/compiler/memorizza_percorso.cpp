#include "compiler/memorizza_percorso.h"

#include <optional>

#include "compiler/output_files.h"
#include "compiler/protection.h"
#include "compiler/stamping.h"
#include "platform/platform_error.h"
#include "reader/memorizza_dati.h"

namespace sb {
namespace {

// Lets the route plan go of its sink however the build ends.
struct SinkRelease {
  RouteMatrix& route;
  ~SinkRelease() { route.detach_sink(); }
};

}  // namespace

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
  for (StationRecord& slot : s.station_table) slot = StationRecord{};
  // A build that may write its files starts them before the reading: the route plan goes
  // into its file while it is computed. A build that never writes creates nothing.
  DroppedRoute dropped;
  std::optional<CompiledFiles> files;
  const SinkRelease release{s.route_matrix};
  try {
    if (s.output_policy != Scenario::OutputPolicy::kNever) {
      files.emplace(s);
    } else {
      s.route_matrix.stream_to(&dropped);
    }
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
