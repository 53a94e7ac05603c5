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

struct Diagnostics {
  std::vector<Diagnostic> items;
  ReadPosition where;
  std::vector<std::string> files;  // the files that origins refer to

  std::size_t faults() const;
  std::size_t warnings() const;
  // The last fault recorded, or nullptr.
  Diagnostic* last_fault();
  const Diagnostic* last_fault() const;
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
