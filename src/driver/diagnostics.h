// Showing what the reader and the compiler found, in the form compilers use:
//   FILE:LINE:COLUMN: error CODE: MESSAGE (at POSITION m)
//      LINE | the source line
//           |       ^~~~~~~
//   note: what else is involved
//   FILE:LINE:COLUMN: warning: MESSAGE [NAME]
// or as one JSON array for editors and scripts.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "model/diagnostic.h"

namespace sb {

// How diagnostics are shown.
struct DiagnosticStyle {
  bool color = false;    // ANSI colours, for a terminal
  bool json = false;     // one JSON array instead of text
  bool warnings = true;  // false: warnings are not shown
};

// The message of the fault with that number, for a fault that carries no words of its own.
std::string fault_message(std::int32_t code);

// The message of a diagnostic, without its place: the fault's own words (or its code's
// meaning) and its position.
std::string diagnostic_message(const Diagnostic& d);

// One diagnostic as text: its line, the source line with a caret, and its notes; each line
// ends with a newline.
std::string format_diagnostic(const Diagnostic& d, bool color = false);

// All diagnostics (the warnings only when the style shows them), in the order found, then
// `failure` when the run ended on a failure of the system ("cannot write 'x': No space left
// on device"): a line of its own, or in JSON an item without a code.
void report_diagnostics(const std::vector<Diagnostic>& items, const DiagnosticStyle& style,
                        std::ostream& out, const std::string* failure = nullptr);

// The lines that say how many faults, and how many warnings of each file, were found past
// the limits and not kept (none when every one was kept; the warnings' only when shown).
std::vector<std::string> limit_lines(const Diagnostics& found, const DiagnosticStyle& style);

// Every diagnostic kept, as above, then the limit lines (in JSON, items without a code whose
// severity is "note"), then `failure`.
void report_diagnostics(const Diagnostics& found, const DiagnosticStyle& style, std::ostream& out,
                        const std::string* failure = nullptr);

}  // namespace sb
