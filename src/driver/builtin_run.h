// The built-in run: the start-up sequence that writes the built-in scenario and compiles it.
#pragma once

#include <string>

#include "model/scenario.h"

namespace sb {

inline constexpr const char* kBuiltinScenarioName = "Roccalta_ Valfiorita";
inline constexpr const char* kBuiltinLineName = "LINEA 7";

// Sets the built-in names and the folder that the run writes into.
void set_builtin_names(Scenario& s, const std::string& folder);

// The load handler: sets the names, shows "Attendere", writes the five text files, reads
// them back, compiles and writes the binary files into `folder`. Throws ErrorStop on the
// error stop and PlatformError when a file cannot be written.
// Returns false when nothing could be compiled (see memorizza_percorso).
bool run_builtin(Scenario& s, const std::string& folder);

}  // namespace sb
