// The program's face while it runs: the status label, and the message that ends a run. From a
// console they are lines on standard error. A Windows program started without a console of
// its own (double-clicked in Explorer) shows them instead in a small window labelled with the
// status, and in a modal message box with an OK button.
#pragma once

#include <string_view>

namespace sb {

// Shows the status text: a line on standard error, or the small window, which stays on the
// screen while the build runs, until close_status() or the end of the process.
void show_status(std::string_view text);

// Takes the status window off the screen, if there is one.
void close_status();

// Shows a message that ends the run (the error stop, a failure of the system): a line on
// standard error, or a message box that the user closes before the process ends.
void show_fatal(std::string_view text);

// Writes `text` and a line end to standard error at once: the plain form of the above.
void write_error_line(std::string_view text);

// Puts standard input and output into binary mode, so that the bytes of a protocol spoken on
// them pass unchanged (Windows would otherwise turn "\r\n" into "\n" and back).
void use_binary_standard_streams();

// True when standard error is a terminal (where colours can be shown).
bool standard_error_is_terminal();

}  // namespace sb
