// Compiling and checking an author's own scenario, and the report that ends every build.
#pragma once

#include "driver/diagnostics.h"
#include "driver/options.h"
#include "model/scenario.h"

namespace sb {

// `compile` and `check` modes: read SCENARIO_linea.txt and SCENARIO_LINE-.txt from --dir
// (default: the current folder), never changing them. `compile` writes the binary files into
// --out (default: the --dir folder) when nothing was found wrong, or with --force; `check`
// writes nothing and prints a summary. Returns the exit status.
int run_compile(const Options& o);

// The one-line summary of a compiled scenario: route length, cells, objects of each kind,
// errors and warnings.
std::string build_summary(const Scenario& s);

// The diagnostic style the options ask for (colour on a terminal only when NO_COLOR is
// unset).
DiagnosticStyle diagnostic_style(const Options& o);

// Reports every diagnostic on standard error, then what became of the compiled files.
// Returns true when the build compiled with no fault.
bool report_build(const Scenario& s, bool compiled, const DiagnosticStyle& style = {});

}  // namespace sb
