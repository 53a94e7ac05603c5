// The scenario model: every table and member that the build steps share. One object of this
// type is handed by reference to every operation of the build; nothing else holds state.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/diagnostic.h"
#include "model/faults.h"
#include "model/route_matrix.h"
#include "model/station_record.h"
#include "model/track_cell.h"

namespace sb {

inline constexpr int kMountainSlots = 81;  // stretch k (from 1) at index k; index 0 unused

struct Scenario {
  // Names set at start-up (set_names); every file name is built from them as given.
  std::string scenario_name;
  std::string line_name;
  // The same names as the station file stores them (slots 85 and 86) and the check codes sum
  // them: single-byte text in the simulator's code page.
  std::string stored_scenario_name;
  std::string stored_line_name;

  // Folders: where the scenario text files are written and read, and where the binary files
  // go. The built-in run uses the program's folder for both.
  std::string source_folder;
  std::string output_folder;
  // The built-in run deletes the text files it wrote once they are read; an author's own
  // files are never deleted.
  bool delete_sources = true;
  // Source texts held in memory, by file name: a build that checks text it made itself (the
  // decompiler's) reads these instead of files. Null: the files are read.
  const std::unordered_map<std::string, std::string>* sources_in_memory = nullptr;
  // Whether the compiled files are written once the build is done: always (the built-in run,
  // and `compile --force`), only when no fault was reported (`compile`), or never (`check`).
  enum class OutputPolicy { kAlways, kUnlessFaults, kNever };
  OutputPolicy output_policy = OutputPolicy::kAlways;

  std::string text_line;
  std::int32_t write_geometry = 0;
  std::int32_t extended_length = 0;
  std::int32_t cell_count = 0;
  std::int32_t error_code = 0;
  std::int32_t error_position = 0;

  // Cells 0 .. cell_count once the line file's route length is read; empty before.
  std::vector<TrackCell> track_table;
  std::array<StationRecord, kStationSlots> station_table{};
  RouteMatrix route_matrix;

  std::array<std::int32_t, kMountainSlots> mountain_start{};
  std::array<std::int32_t, kMountainSlots> mountain_end{};
  std::int32_t mountain_count = 0;

  // How many entries of each kind the reading placed, for the summary of a build.
  struct EntryCounts {
    std::int32_t curves = 0;
    std::int32_t gradients = 0;
    std::int32_t stretches = 0;
    std::int32_t speed_boards = 0;
    std::int32_t signboards = 0;
    std::int32_t signals = 0;
    std::int32_t slow_orders = 0;
    std::int32_t abbattimenti = 0;
    std::int32_t stations = 0;
  };
  EntryCounts placed;

  // What the author is told, and where the object of a track cell came from, by cell index
  // (only the cells that received an object: a table beside the whole track would cost a
  // build of the longest route hundreds of fresh memory pages).
  Diagnostics diagnostics;
  std::unordered_map<std::int64_t, CellOrigin> cell_origin;
  // Warnings count as faults (--warnings-as-errors): they then stop the compiled files from
  // being written, as faults do.
  bool warnings_are_faults = false;

  bool has_track_table() const { return !track_table.empty(); }
  // True when n is an index of the track table.
  bool has_cell(std::int64_t n) const {
    return n >= 0 && n < static_cast<std::int64_t>(track_table.size());
  }
};

// Sets the scenario name and the line name, and their stored forms: a name given as UTF-8
// is converted to the simulator's single-byte code page (a character the code page cannot
// hold leaves the name as given: callers refuse such names first).
void set_names(Scenario& s, std::string scenario, std::string line);

// Records a fault: `error_code` takes its number (the last one wins) and the diagnostics keep
// it with the source field the reader stands on. The returned fault may be given words of its
// own and notes.
Diagnostic& set_error(Scenario& s, Fault fault);
// Sets `error_position`; the fault just recorded takes the position too, unless it already
// carries its own.
void set_error_position(Scenario& s, std::int32_t position);
// Both at once, for the faults that carry a position.
Diagnostic& set_error(Scenario& s, Fault fault, std::int32_t position);

// Records a warning at the field the reader stands on (or at `spot`).
Diagnostic& warn(Scenario& s, Warning w, std::string message);
Diagnostic& warn(Scenario& s, Warning w, std::string message, SourceSpot spot);

// The faults that stop the compiled files from being written: every fault, and every warning
// when warnings count as faults.
std::size_t blocking_diagnostics(const Scenario& s);

// Remembers that the entry being read placed `what` (e.g. "a signal") at `position` metres
// into track cell n.
void record_origin(Scenario& s, std::int64_t n, const char* what, std::int32_t position);
// The file and line of the entry that placed the object in cell n (nothing when unknown).
SourceSpot origin_spot(const Scenario& s, std::int64_t n);
// The record of the object in cell n, or nullptr when none was recorded.
const CellOrigin* origin_record(const Scenario& s, std::int64_t n);
// "a signal at 5800 m placed at FILE:LINE" for the object in cell n, or "an object" when
// its origin is not known.
std::string origin_of(const Scenario& s, std::int64_t n);

}  // namespace sb
