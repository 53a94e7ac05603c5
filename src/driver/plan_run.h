// `plan` mode: draws a compiled scenario as an SVG picture.
#pragma once

#include "driver/options.h"

namespace sb {

// Reads the route matrix, station and track files of SCENARIO and LINE from --dir (default:
// the current folder) and writes the picture to -o (default: SCENARIO.svg in the --dir
// folder; "-": standard output). Without names it draws the one compiled scenario of the
// folder. Returns the exit status: 0, or 2 when the folder or the route matrix file is
// missing, or when no names are given and the folder holds no compiled scenario or several. Throws
// PlatformError when a file cannot be read or written and MalformedFile when a file does not
// decode.
int run_plan(const Options& o);

}  // namespace sb
