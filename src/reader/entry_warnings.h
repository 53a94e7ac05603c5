// The reader's warnings: what it reads without a fault but an author almost never means. A
// warning only tells the author; nothing that is stored depends on it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/scenario.h"
#include "reader/keywords.h"

namespace sb {

// Which part of which file a keyword field is read in.
enum class FilePart { kLineGeneral, kLineBody, kTrain };

// What the warnings about skipped fields remember from one field to the next.
class SkippedFields {
 public:
  explicit SkippedFields(FilePart part) : part_(part) {}

  // An entry was recognised in a keyword field on `line` and read as `at` tells (its keyword,
  // its number of values, its last field); later fields skipped on that line are its surplus
  // values, and fields skipped on a later line that its last value came from are what it left
  // of that line.
  void entry_read(std::int64_t line, const ReadPosition& at);
  // The keyword field just read was skipped by design (a curve without a route plan): so are
  // the rest of its line.
  void quiet_line(const ReadPosition& at) { quiet_line_ = at.field.line; }
  // The keyword field just read matched no entry: warns about it, unless it is a section
  // line, a separator, empty, or on a line already warned about.
  void skipped(Scenario& s, std::string_view field);

 private:
  FilePart part_;
  std::int64_t quiet_line_ = 0;
  std::int64_t entry_line_ = 0;
  std::int64_t entry_end_line_ = 0;  // the line of the entry's last value
  std::string_view entry_keyword_;
  int entry_values_ = 0;
};

// True when `field` is `word` written with a small slip (an edit distance of at most 2, case
// ignored).
bool looks_like(std::string_view field, std::string_view word);

// The keyword spelling closest to `field` among the entries of `part` (a small edit distance,
// case ignored), or empty when none is close.
std::string_view closest_keyword(std::string_view field, FilePart part);

// A positioned entry beyond the route length (slot 84 `end_m`), in the run-out.
void check_run_out(Scenario& s, std::string_view keyword, std::int32_t p);

// A name or text field: `what` says whose ("the station at 800 m"); `name_line` is the line
// the field was read from, `entry_line` the line of the entry's keyword.
void check_name(Scenario& s, std::string_view name, const std::string& what,
                std::int64_t entry_line, std::int64_t name_line);

}  // namespace sb
