// Writing the compiled scenario: the route matrix file (only when `write_geometry` is
// non-zero), the station file and the track file, into the output folder.
#pragma once

#include "model/scenario.h"

namespace sb {

// Each file is replaced entirely; with `write_geometry` zero an existing route matrix file is
// left as it is. Every file's content is built before the first one is written, so a table
// that cannot be encoded (std::length_error: a name too long for its length field) leaves all
// three files untouched. Throws PlatformError when a file cannot be written; the files
// written before it stay.
void write_output_files(const Scenario& s);

}  // namespace sb
