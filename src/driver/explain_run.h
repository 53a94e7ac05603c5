// `explain`: what a fault code or a warning means, why it comes, a scenario that gives it and
// how to fix it; without a code or a name, the list of them all.
#pragma once

#include <string>

#include "driver/explanations.h"
#include "driver/options.h"

namespace sb {

// Prints the explanation asked for, or the list. Returns the exit status: 2 for a code or a
// name that has no explanation.
int run_explain(const Options& o);

// The text printed for one code or warning.
std::string explanation_text(const Explanation& e);

// The text printed by `explain` alone.
std::string explanation_list();

}  // namespace sb
