// `dump` mode: prints a compiled track, station or route matrix file readably.
#pragma once

#include "driver/options.h"

namespace sb {

// Decodes the file named by the one operand (its type from --type or from its name) and
// prints it on standard output, as text or with --json as JSON. Returns the exit status: 0,
// or 2 when the type cannot be told from the name. Throws PlatformError when the file cannot
// be read and MalformedFile when it does not decode; nothing is printed on standard output
// then.
int run_dump(const Options& o);

}  // namespace sb
