// `scenario_builder lsp`: the language server on standard input and output.
#pragma once

#include <chrono>
#include <iosfwd>

namespace sb {

// How long the server waits after a change for the next one before it checks: changes typed
// in a burst are checked once.
inline constexpr std::chrono::milliseconds kCheckDelay{30};

// Serves the messages of `in` until `exit` (or the end of `in`), writing to `out`; returns the
// exit status: 0 after `shutdown` then `exit`, 1 otherwise. The thread that reads `in` is
// waited for, unless `leave_reader` (then it may still be blocked reading when this returns).
int serve_language(std::istream& in, std::ostream& out, bool leave_reader = false);

// The command: the server on the program's standard input and output.
int run_lsp();

}  // namespace sb
