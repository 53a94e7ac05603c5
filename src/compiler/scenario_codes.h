// The two check codes computed from the line name and the scenario name of station slots 86
// and 85, stamped into the compiled files.
#pragma once

#include <cstdint>

#include "model/scenario.h"

namespace sb {

// Plain sum of the character codes of the first 25 characters (at most 6375).
std::int32_t codice_gara_og(Scenario& s);
// Position-weighted sum of the same characters (at most 82875).
std::int32_t codice_gara_st(Scenario& s);

}  // namespace sb
