// The two passes of the reader and the working values they share.
#pragma once

#include <cstdint>
#include <string>

#include "model/scenario.h"
#include "reader/route_geometry.h"

namespace sb {

class FieldReader;

// What an entry of a pass leads to: the next entry, the end of the pass (a range fault, code
// 15, after which the pass still finishes), or a stop at once.
enum class Outcome { kGoOn, kEndPass, kStop };

// A pass's table of entries, tried in order on one keyword field: every row whose test holds
// takes effect, each reading its own values, until one ends or stops the pass. `matched`
// tells afterwards whether any row took the field.
class EntryRows {
 public:
  explicit EntryRows(bool& matched) : matched_(matched) { matched_ = false; }
  template <typename Handler>
  void run(bool hit, Handler&& handler) {
    if (!hit || outcome_ != Outcome::kGoOn) return;
    matched_ = true;
    outcome_ = handler();
  }
  Outcome outcome() const { return outcome_; }

 private:
  bool& matched_;
  Outcome outcome_ = Outcome::kGoOn;
};

// A kilometric-chainage entry as the general section gave it, for the check at the end of
// the train pass, which must name the entry whose values it refuses.
struct ChainageEntry {
  SourceSpot spot;
  std::string_view spelling;  // empty when the line file has no such entry
  std::int32_t first = 0;
  std::int32_t second = 0;
};

// Working values of one reading; they exist only while the model is being read.
struct ReaderState {
  std::int32_t previous_gradient = 0;
  std::int32_t gradient_fill = 0;  // next cell whose gradient is not yet written
  // The entry that set the previous gradient (its line, 0 for the starting value, and its
  // position): the one a fault names when that gradient cannot be written.
  std::int64_t gradient_line = 0;
  std::int32_t gradient_position = 0;
  std::int32_t signboard_slot = kFirstSignboardSlot;
  RouteBuilder route;
  // The train pass's running speed and adhesion. They are not reset between the passes: the
  // speed starts as the second number of the last mountain-side or speed-board entry, the
  // adhesion as the fifth number of the last speed-board entry.
  std::int32_t running_speed = 0;
  std::int32_t running_adhesion = 0;
  // "progressiva chilometrica tre", "due", "uno" as read (before they are put in order).
  ChainageEntry chainage[3];
};

// Reads the line file. Returns true when the train file is to be read next (a clean end or
// a range-check fault, code 15), false when the reading stopped with another fault.
bool read_line_file(Scenario& s, ReaderState& st);

// Reads the train file.
void read_train_file(Scenario& s, ReaderState& st);

// Reads one "stazione" entry into the next station slot: the next entry follows, or the entry
// ends the pass (a range fault, code 15) or stops it at once with another fault.
Outcome read_station_entry(Scenario& s, FieldReader& in, std::int32_t& station_slot,
                           std::int32_t signboard_slot);

// Reads a source file's bytes (the text held in memory for it, when the scenario has one);
// ReadFailure when it cannot be read.
std::string read_source(const Scenario& s, const std::string& path);
// Deletes a source file the run wrote itself (an author's file is never deleted); ReadFailure
// when it cannot be deleted.
void delete_source(const Scenario& s, const std::string& path);

}  // namespace sb
