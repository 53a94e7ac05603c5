// Writing the compiled scenario: the route matrix file (only when `write_geometry` is
// non-zero), the station file and the track file, into the output folder.
#pragma once

#include "model/scenario.h"

namespace sb {

// The files are replaced together (see OutputSet): all are written completely first, then
// renamed into place; with `write_geometry` zero an existing route matrix file is left as it
// is. A table that cannot be encoded (std::length_error: a name too long for its length field)
// leaves all three files untouched, and so does a file that cannot be written: PlatformError,
// naming the file and saying that no compiled file was changed.
void write_output_files(const Scenario& s);

}  // namespace sb
