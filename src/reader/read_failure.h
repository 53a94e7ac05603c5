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
  // fault), the field just read (that value is at fault), or one of the values the entry has
  // read (`value()`, from 1).
  enum class At { kEntry, kField, kValue };

  explicit ReadFailure(const std::string& what, At at = At::kEntry,
                       std::vector<std::string> notes = {})
      : std::runtime_error(what), at_(at), notes_(std::move(notes)) {}

  // A failure about value `value` (from 1) of the entry being read.
  static ReadFailure of_value(const std::string& what, int value) {
    ReadFailure failure(what, At::kValue);
    failure.value_ = value;
    return failure;
  }

  At at() const { return at_; }
  const std::vector<std::string>& notes() const { return notes_; }
  void add_note(std::string note) { notes_.push_back(std::move(note)); }

  // Where the failure belongs in the file, taken while the file is still being read.
  void locate(const ReadPosition& where) {
    if (spot_) return;
    if (at_ == At::kField && where.field.line > 0) {
      spot_ = spot_of(where, where.field);
    } else if (at_ == At::kValue) {
      spot_ = value_spot(where, value_);
    } else {
      spot_ = current_spot(where);
    }
  }
  const std::optional<SourceSpot>& spot() const { return spot_; }

 private:
  At at_;
  int value_ = 0;
  std::vector<std::string> notes_;
  std::optional<SourceSpot> spot_;
};

}  // namespace sb
