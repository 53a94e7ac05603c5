// `explain`: what a fault code or a warning means, why it comes, a scenario that gives it and
// how to fix it; what a warning of `decompile` means; what a command does (its part of the
// usage text); without a code or a name, the list of them all.
#pragma once

#include <string>

#include "driver/decompile_warnings.h"
#include "driver/explanations.h"
#include "driver/options.h"

namespace sb {

// Prints the explanation asked for, or the list. Returns the exit status: 2 for a code or a
// name that has no explanation.
int run_explain(const Options& o);

// The text printed for one code or warning.
std::string explanation_text(const Explanation& e);

// The text printed for one warning of `decompile`.
std::string decompile_warning_text(const DecompileWarning& w);

// The text printed by `explain` alone.
std::string explanation_list();

}  // namespace sb
