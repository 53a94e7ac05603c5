// Turning a compiled scenario back into its two text files, and checking that they compile to
// the same files again.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/route_matrix.h"
#include "model/scenario.h"
#include "model/station_record.h"
#include "model/track_cell.h"
#include "viewer/decompile_curves.h"

namespace sb {

// The compiled files of one scenario, decoded: the route plan is missing after a build
// without one.
struct CompiledTables {
  std::vector<TrackCell> track;
  std::vector<StationRecord> stations;  // the 87 slots
  std::optional<RouteMatrix> route;
  // The curves found while the route matrix file was read (the plan itself is then not
  // held); when missing they are found in `route`.
  std::optional<RecoveredCurves> curves;
};

struct DecompiledFiles {
  std::string line_file;   // the text of SCENARIO_linea.txt
  std::string train_file;  // the text of SCENARIO_LINE-.txt
  // Each place where the text files cannot give the compiled files back, said in words.
  std::vector<std::string> warnings;
};

// Recovers the text files of `tables`, compiled as `scenario`, line `line`. The result is
// checked by compiling it in memory: every place where it gives other tables is a warning.
DecompiledFiles decompile(const CompiledTables& tables, const std::string& scenario,
                          const std::string& line);

// Compiles the two texts in memory, as `compile` would with the names given (with the route
// plan when `geometry`), without reading or writing any file. The error stop of the stamping
// is caught: `stopped` then holds its message.
struct MemoryBuild {
  std::unique_ptr<Scenario> scenario;
  std::string stopped;
};
MemoryBuild compile_in_memory(const std::string& scenario, const std::string& line,
                              const std::string& line_text, const std::string& train_text,
                              bool geometry);

// The first place where a build differs from the compiled tables: "the track file, cell 294
// (14650 to 14700 m), field kind: 1 in the file, 0 compiled again". Nothing when they agree.
// The route plan is compared only when `tables` has one.
std::optional<std::string> first_difference(const CompiledTables& tables, const Scenario& built);

}  // namespace sb
