// Writing the compiled scenario: the route matrix file (only when `write_geometry` is
// non-zero), the station file and the track file, into the output folder.
#pragma once

#include "model/scenario.h"

namespace sb {

// Each file is replaced entirely; with `write_geometry` zero an existing route matrix file is
// left as it is. The station and track contents are built before the first file is written,
// so a table that cannot be encoded (std::length_error: a name too long for its length field)
// leaves all three files untouched; the route matrix, which always encodes, is written block
// by block. Throws PlatformError when a file cannot be written; the files written before it
// stay, and the one that failed keeps its old content.
void write_output_files(const Scenario& s);

}  // namespace sb
