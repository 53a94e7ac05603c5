// `decompile`: the text files of a compiled scenario recovered from its binary files.
#pragma once

#include "driver/options.h"

namespace sb {

// Reads SCENARIO_linea.dat (when there is one), SCENARIO_LINE.sim and SCENARIO_LINE.dat from
// --dir and writes SCENARIO_linea.txt and SCENARIO_LINE-.txt into --out, together or not at
// all; with --check writes nothing and compares instead. Returns the exit status: 0 when the
// files compile to the same bytes, 1 when a place cannot (each said in a warning), 2 when the
// input cannot be read or decoded or the output cannot be written.
int run_decompile(const Options& o);

}  // namespace sb
