// The compiler's entry point: reads the scenario, adds the protection points, stamps the
// markers and codes and writes the binary files.
#pragma once

#include <cstdint>

#include "model/scenario.h"

namespace sb {

// True when the build's output policy lets it write the compiled files now.
bool outputs_wanted(const Scenario& s);

// Runs the whole compilation with `j` as `write_geometry` (non-zero: build and write the
// route plan). The binary files are written when the output policy allows it. The route plan
// is not kept in `s.route_matrix`, which keeps only its size: it goes straight into its file
// while it is computed, or, when the policy is never to write, is computed and dropped. Returns
// false, having written no binary file, when the reading left no track table with a header cell to
// compile; the faults recorded say why. Throws ErrorStop from the
// stamping checks and PlatformError when an output file cannot be written.
bool memorizza_percorso(Scenario& s, const std::int32_t& j);

}  // namespace sb
