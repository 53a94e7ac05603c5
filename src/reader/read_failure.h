// A run-time failure while reading the scenario text files: reading past the end of a file,
// a field that is not a number, a value that does not fit its field, a write that would fall
// outside a table. Every one of them ends the reading through the common failure path
// (`Fault::kUnreadable`).
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/diagnostic.h"

namespace sb {

class ReadFailure : public std::runtime_error {
 public:
  // Which field the failure is reported at: the entry's keyword (the entry as a whole is at
  // fault), or the field just read (that value is at fault).
  enum class At { kEntry, kField };

  explicit ReadFailure(const std::string& what, At at = At::kEntry,
                       std::vector<std::string> notes = {})
      : std::runtime_error(what), at_(at), notes_(std::move(notes)) {}

  At at() const { return at_; }
  const std::vector<std::string>& notes() const { return notes_; }
  void add_note(std::string note) { notes_.push_back(std::move(note)); }

  // Where the failure belongs in the file, taken while the file is still being read.
  void locate(const ReadPosition& where) {
    if (spot_) return;
    if (at_ == At::kField && where.field.line > 0) {
      spot_ = spot_of(where, where.field);
    } else {
      spot_ = current_spot(where);
    }
  }
  const std::optional<SourceSpot>& spot() const { return spot_; }

 private:
  At at_;
  std::vector<std::string> notes_;
  std::optional<SourceSpot> spot_;
};

}  // namespace sb
