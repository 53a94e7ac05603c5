// Checking a scenario from an editor's texts, as `check` checks it from its files: the same
// build step (nothing written), with the open documents read in place of their files.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/diagnostic.h"

namespace sb {

// The line's track table as a check found it.
struct TrackExtent {
  std::int32_t cells = 0;    // 0 when the line file was not read that far
  std::int32_t route_m = 0;  // the route length
};

struct CheckedPair {
  std::string line_path;   // the line file's path as the diagnostics name it
  std::string train_path;  // the train file's path as the diagnostics name it
  std::vector<Diagnostic> diagnostics;
  TrackExtent track;
};

// Checks the scenario `scenario` on the line `line` in `folder` (empty: the current folder).
// `texts` holds, by leaf name ("X_linea.txt", "X_L-.txt"), the files' bytes to read instead of
// the files on disk. An error stop and a failure of the system become diagnostics of their own.
CheckedPair check_scenario_texts(const std::string& folder, const std::string& scenario,
                                 const std::string& line,
                                 const std::unordered_map<std::string, std::string>& texts);

}  // namespace sb
