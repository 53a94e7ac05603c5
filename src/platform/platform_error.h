// A failure of the operating system: a file that cannot be created, written, read or deleted.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/printable_text.h"

namespace sb {

// The message reads "cannot ACTION "PATH": REASON", followed by "; NOTE" when the failure
// carries a note on what it left behind; the path is shown as echoed() shows it, printable and
// cut short when it is very long.
class PlatformError : public std::runtime_error {
 public:
  PlatformError(std::string action, std::string path, std::string reason, std::string note = "")
      : std::runtime_error("cannot " + action + " " + echoed(path) + ": " + reason +
                           (note.empty() ? "" : "; " + note)),
        action_(std::move(action)),
        path_(std::move(path)),
        reason_(std::move(reason)),
        note_(std::move(note)) {}
  const std::string& action() const { return action_; }
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }
  const std::string& note() const { return note_; }

  // The same failure with `note` in place of its note.
  PlatformError with_note(std::string note) const {
    PlatformError e(action_, path_, reason_, std::move(note));
    e.out_of_descriptors_ = out_of_descriptors_;
    return e;
  }

  // Whether the system had no file descriptor (handle) left to give: too many files open in
  // the process or in the whole system. Such a failure is the system's, never the file's.
  bool out_of_descriptors() const { return out_of_descriptors_; }
  PlatformError& set_out_of_descriptors(bool out) {
    out_of_descriptors_ = out;
    return *this;
  }

 private:
  bool out_of_descriptors_ = false;
  std::string action_;
  std::string path_;
  std::string reason_;
  std::string note_;
};

}  // namespace sb
