// What the line file's body and the train file's pass share: the search for "[generale]",
// the loop over the keyword fields, and the helpers an entry uses to start reading its values
// and to check its position.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/scenario.h"
#include "reader/entry_warnings.h"
#include "reader/field_reader.h"
#include "reader/keywords.h"
#include "reader/passes.h"
#include "reader/read_on.h"
#include "reader/reader_support.h"
#include "reader/text_match.h"

namespace sb {

// How a search for "[generale]" ended: found, or not, with a note for a field that looks
// like a misspelt "[generale]".
struct GeneralSearch {
  bool found = false;
  std::string near;
};

// Reads fields up to one that contains "[generale]" (case ignored). When the line file ends
// right after a field, that field is not taken (`last_field_counts` false); the train file
// takes it. When nothing is found, the reader's position is left on no field.
GeneralSearch find_general_section(Scenario& s, FieldReader& in, bool last_field_counts);

// The state an entry of either pass works with.
struct PassContext {
  Scenario& s;
  ReaderState& st;
  FieldReader& in;

  // Starts the entry of row `k`: its values are read next.
  void entry(const Keyword& k) { in.begin_entry(k.name(), k.values); }
  // Range check of the entry at p metres, and the run-out warning when it passes.
  bool placed(const Keyword& k, std::int32_t p, int margin = kEntryMargin) {
    if (!range_ok(s, p, margin)) return false;
    check_run_out(s, k.name(), p);
    return true;
  }

  // The two values of a gradient, speed, adhesion or "abbattimento" entry.
  struct PositionAndValue {
    std::int32_t position;
    std::int32_t value;
  };
  // Starts the entry of row `k` and reads its position and its value; nothing when the
  // position fails the range check (the pass then ends).
  std::optional<PositionAndValue> placed_pair(const Keyword& k) {
    entry(k);
    const std::int32_t p = in.read_number();
    const std::int32_t v = in.read_number();
    if (!placed(k, p)) return std::nullopt;
    return PositionAndValue{p, v};
  }

  // The free cell n for an object at p metres, or nullptr when the cell is taken: fault `code`
  // (at p) names `what`, and the pass stops.
  TrackCell* free_cell(std::int64_t n, std::int32_t p, Fault code, const char* what) {
    TrackCell& cell = track_cell(s, n);
    if (cell.is_free()) return &cell;
    cell_taken(s, code, n, what);
    set_error_position(s, p);
    return nullptr;
  }
};

// The keyword loop after "[generale]": reads a keyword field (passing over at most two
// separator fields, those that contain "-"), hands it to `entry(field, matched)`, and tells
// `skipped` what was read; a field no row took goes to `unmatched(field)`. A keyword field
// that is the last thing in the file is not interpreted. Returns kGoOn at the end of the
// file, or the outcome of the entry that ended or stopped the pass. The entry that records the
// first fault hands the reading on: `read_on(failure, skipped)` goes on from a copy, with
// what `skipped` knows after that entry (read_on.h).
template <typename Entry, typename Unmatched, typename ReadOn>
Outcome read_entries(Scenario& s, ReaderState& st, FieldReader& in, SkippedFields& skipped,
                     Entry&& entry, Unmatched&& unmatched, ReadOn&& read_on) {
  while (!in.at_end()) {
    std::string_view field = in.read_keyword();
    s.text_line = field;
    if (in.at_end()) break;
    for (int i = 0; i < 2 && contains(field, "-"); ++i) {
      field = in.read_keyword();
      s.text_line = field;
      if (in.at_end()) return Outcome::kGoOn;
    }
    const std::int64_t line = in.line();
    bool matched = false;
    const Outcome outcome = read_entry(
        s, st, in, [&] { return entry(field, matched); },
        [&](const ReadFailure* failure) {
          SkippedFields after = skipped;
          if (failure == nullptr && matched) after.entry_read(line, s.diagnostics.where);
          read_on(failure, after);
        });
    if (outcome == Outcome::kLeftOut) continue;
    if (outcome != Outcome::kGoOn) return outcome;
    if (matched) {
      skipped.entry_read(line, s.diagnostics.where);
    } else {
      unmatched(field);
    }
    in.end_entry();
  }
  return Outcome::kGoOn;
}

}  // namespace sb
