// Reading on past the first fault, for the report. The build's reading stops at its first
// fault, and what it has read by then decides the compiled files. To tell the author about
// the faults after that one, the same reading code goes on over a copy of the model and of the
// reader's state, taken when the first fault is recorded: the faulty entry is left out and the
// copy reads on from the next entry, to the end of the file and then through the train file.
// Nothing the copy does reaches the compiled files; the build's reading goes on exactly as
// before, and at its end the copy's diagnostics take the place of those it recorded after the
// first fault. A clean file makes no copy.
#pragma once

#include <cstddef>
#include <optional>

#include "model/scenario.h"
#include "reader/field_reader.h"
#include "reader/passes.h"
#include "reader/read_failure.h"

namespace sb {

// Records the failure that ended the reading as `Fault::kUnreadable`, at its place.
void record_failure(Scenario& s, const ReadFailure& failure);

// What the copy found: every diagnostic of the build's reading up to its first fault and
// everything after it that reading on found.
struct ReadOnReport {
  std::optional<Diagnostics> found;
};

// The copy of the model and of the reader's state at the first fault. The route plan of the
// copy is made (for the faults its steps can meet) and its points dropped: they never reach
// the route matrix file.
class ReadOnCopy {
 public:
  ReadOnCopy(Scenario& s, const ReaderState& st);
  ReadOnCopy(const ReadOnCopy&) = delete;
  ReadOnCopy& operator=(const ReadOnCopy&) = delete;

  Scenario s;
  ReaderState st;

  // Runs `read` over the copy; a failure that no entry took is reported at its place, and
  // the copy's findings go to the build's reading.
  template <typename Read>
  void read_on(ReaderState& build, Read&& read) {
    try {
      read();
    } catch (ReadFailure& failure) {
      failure.locate(s.diagnostics.where);
      record_failure(s, failure);
    }
    s.diagnostics.where = {};
    build.report->found = std::move(s.diagnostics);
  }

 private:
  DroppedRoute dropped_;
};

// In the copy, before it reads on: the faulty entry is left out. A failure is reported at its
// place and the reader goes on at the line after it; a recorded fault leaves the rest of the
// entry's line unread.
inline void leave_out_first_fault(Scenario& copy, FieldReader& reader, const ReadFailure* failure) {
  if (failure != nullptr) {
    record_failure(copy, *failure);
    reader.resume_after_failure();
  } else {
    reader.end_entry();
    reader.skip_rest_of_line();
  }
}

// False when the route length left a track without its header cell 1: nothing can be compiled,
// and every entry after the first would only be refused for the same reason.
inline bool reads_on(const Scenario& s) {
  return !s.has_track_table() || s.has_cell(1);
}

// True when the entry just read recorded the first fault of the build's reading, which is
// then to be read on from a copy.
inline bool first_fault(const Scenario& s, const ReaderState& st, std::size_t faults_before) {
  return st.report != nullptr && !st.reading_on && faults_before == 0 &&
         s.diagnostics.faults() > 0 && reads_on(s);
}

// Runs one entry: `read()` gives its outcome. In the build's reading, when the entry records
// the first fault (or fails), `fork(failure)` reads on from a copy (failure is nullptr for a
// recorded fault); the outcome then takes effect as before, and a failure goes on to end the
// reading. In the copy that reads on, a faulty entry is left out: a failure is reported at its
// place and the reader goes on at the next line (kLeftOut), and an entry that would end or
// stop the pass lets the reading go on (kGoOn).
template <typename Read, typename Fork>
Outcome read_entry(Scenario& s, ReaderState& st, FieldReader& in, Read&& read, Fork&& fork) {
  const std::size_t faults = s.diagnostics.faults();
  if (st.reading_on) {
    s.error_code = 0;  // each entry's faults are its own
    try {
      // The rest of a faulty entry's line belongs to it: its values, not entries.
      if (read() != Outcome::kGoOn || s.diagnostics.faults() > faults) in.skip_rest_of_line();
    } catch (ReadFailure& failure) {
      failure.locate(s.diagnostics.where);
      record_failure(s, failure);
      in.resume_after_failure();
      return Outcome::kLeftOut;
    }
    return Outcome::kGoOn;
  }
  Outcome outcome = Outcome::kGoOn;
  try {
    outcome = read();
  } catch (ReadFailure& failure) {
    if (st.report != nullptr && !st.reading_on && faults == 0 && reads_on(s)) {
      failure.locate(s.diagnostics.where);
      fork(&failure);
    }
    throw;
  }
  if (first_fault(s, st, faults)) fork(nullptr);
  return outcome;
}

// At the end of the build's reading: the copy's findings take the place of what the build's
// reading recorded after its first fault (that fault itself stays as the build's reading left
// it, with any notes it was given since), and the first fault is marked as the one that
// decides the compiled files.
void take_read_on_report(Scenario& s, ReadOnReport& report);

}  // namespace sb
