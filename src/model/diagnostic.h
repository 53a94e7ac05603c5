// What the reader and the compiler tell the author: faults (with the system's fault code) and
// warnings, each pointing at the field of the source file that caused it, with notes that say
// what else is involved. They are kept beside `error_code`, whose last-wins meaning stays as
// it is, so that every one of them can be reported in the order found.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/warnings.h"

namespace sb {

enum class Severity : std::uint8_t { kError, kWarning };

// A place in a source file: file, line and column (both from 1, the column in bytes), the
// width of the field there, and the text of the line for showing it under the message (a
// window of a long line, whose first byte stands in column `text_column`).
struct SourceSpot {
  std::string file;  // empty when the diagnostic belongs to no source file
  std::int64_t line = 0;
  std::int64_t column = 0;
  std::int64_t width = 0;
  std::string text;
  std::int64_t text_column = 1;
};

struct Diagnostic {
  Severity severity = Severity::kError;
  std::int32_t code = 0;                       // errors: the fault's number; 0 for none
  Warning warning = Warning::kUnknownKeyword;  // warnings: which one
  std::optional<std::int32_t> position;        // metres, where the fault carries one
  SourceSpot where;
  std::string message;  // errors: extra words after the code's own message, or all of it
  std::vector<std::string> notes;
  // The first fault of the reading, the one at which the compiled files stop; those after
  // it are found by reading on, and change nothing in them.
  bool decides_outputs = false;
};

// The extent of one field of a file being read: its line, where that line starts, and where
// the field starts and ends (byte offsets into the file's text).
struct FieldSpan {
  std::int64_t line = 0;
  std::size_t line_start = 0;
  std::size_t start = 0;
  std::size_t end = 0;
};

// The most values an entry reads (a station: sixteen numbers and its name).
inline constexpr int kMaxEntryValues = 17;

// Where the reader stands while a file is read: the file, its text, the field just read and
// the keyword field of the entry whose values are being read.
struct ReadPosition {
  std::string file;
  std::string_view text;  // valid only while the file is read
  FieldSpan field;
  FieldSpan entry;
  bool in_entry = false;
  // The entry being read: the keyword as the author writes it, how many values it reads, how
  // many it has read, and how many of those stood on the keyword's own line.
  std::string_view keyword;
  int values = 0;
  int values_read = 0;
  int values_on_entry_line = 0;
  // The extent of each value the entry has read so far, in the order read; a fault about one
  // value points at its field.
  std::array<FieldSpan, kMaxEntryValues> value_fields{};
};

// Where an object placed in a track cell came from: the entry that placed it.
struct CellOrigin {
  std::uint32_t file = 0;  // index + 1 into Diagnostics::files; 0: nothing recorded
  std::int64_t line = 0;
  std::int32_t position = 0;  // the entry's position, metres
  const char* what = "";      // "a signal", "a speed board", ...
};

// How many diagnostics are kept to be shown; 0 keeps every one. Those past a limit are
// counted, not kept, so that the memory they take stays bounded whatever the input.
struct DiagnosticLimits {
  std::size_t errors = 0;             // faults, over the whole build
  std::size_t warnings_per_file = 0;  // warnings, for each source file
  bool keep_warnings = true;          // false: warnings are counted only
};

// The warnings found in one file (the file's name; empty for those of no file).
struct FileWarnings {
  std::string file;
  std::size_t found = 0;
  std::size_t kept = 0;
};

struct Diagnostics {
  std::vector<Diagnostic> items;  // those kept, in the order found
  ReadPosition where;
  std::vector<std::string> files;  // the files that origins refer to
  DiagnosticLimits limits;

  // Keeps `d`, or counts it when it is past the limits; either way the diagnostic returned
  // may be given words and notes (one past the limits is dropped by the next one).
  Diagnostic& add(Diagnostic d);

  // Everything found, kept or not.
  std::size_t faults() const { return faults_found_; }
  std::size_t warnings() const { return warnings_found_; }
  // Those found but not kept.
  std::size_t faults_not_kept() const { return faults_found_ - faults_kept_; }
  // The warnings of each file that has any, in the order first found.
  const std::vector<FileWarnings>& warnings_by_file() const { return by_file_; }

  // The last fault recorded (kept or not), or nullptr.
  Diagnostic* last_fault();
  const Diagnostic* last_fault() const;

 private:
  std::size_t faults_found_ = 0;
  std::size_t faults_kept_ = 0;
  std::size_t warnings_found_ = 0;
  std::vector<FileWarnings> by_file_;
  // Where the last fault stands: an index into `items`, kNone, or kDropped.
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  static constexpr std::size_t kDropped = kNone - 1;
  std::size_t last_fault_ = kNone;
  Diagnostic dropped_fault_;
  Diagnostic dropped_warning_;
};

// The spot of a field of the file being read (its line cut to a length that can be shown).
SourceSpot spot_of(const ReadPosition& at, const FieldSpan& span);
// The spot of value `value` (from 1) of the entry being read, when it has been read; else the
// spot a fault recorded now belongs to.
SourceSpot value_spot(const ReadPosition& at, int value);
// The spot a fault recorded now belongs to: the keyword of the entry being read, else the
// field just read, else no spot.
SourceSpot current_spot(const ReadPosition& at);

}  // namespace sb
