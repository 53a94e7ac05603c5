// The error stop: the system's one way of ending a build on a fatal inconsistency, raised by
// the stamping of the compiled data.
#pragma once

#include <stdexcept>
#include <string>

namespace sb {

// Thrown by `errore`; the program's entry point writes message() and a newline to standard
// error and ends the process with exit status 1. Nothing else runs after it is thrown.
class ErrorStop : public std::runtime_error {
 public:
  explicit ErrorStop(std::string message) : std::runtime_error(std::move(message)) {}
};

// Builds the message " Errore n. " followed by `a` and stops the build.
[[noreturn]] void errore(const std::string& a);

}  // namespace sb
