// The console stands in for the program's window: it shows the status label while the
// build runs.
#pragma once

#include <string_view>

namespace sb {

// Writes the status text and a newline to standard error.
void show_status(std::string_view text);

// True when standard error is a terminal (where colours can be shown).
bool standard_error_is_terminal();

}  // namespace sb
