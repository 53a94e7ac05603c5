// Compiling an author's own scenario, and the report that ends every build.
#pragma once

#include "driver/options.h"
#include "model/scenario.h"

namespace sb {

// `compile` mode: reads SCENARIO_linea.txt and SCENARIO_LINE-.txt from --dir (default: the
// current folder), never changing them, and writes the binary files into --out (default: the
// --dir folder). Returns the exit status.
int run_compile(const Options& o);

// Reports every recorded fault on standard error, and what was written. Returns true when
// the build compiled with no fault.
bool report_build(const Scenario& s, bool compiled);

}  // namespace sb
