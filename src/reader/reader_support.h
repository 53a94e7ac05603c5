// Checked access to the tables and the conversions shared by the reader's operations. Every
// one of them throws ReadFailure instead of writing outside a table or storing a value that
// does not fit its field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/cell_geometry.h"
#include "model/scenario.h"
#include "reader/read_failure.h"

namespace sb {

// Throws the ReadFailure for a cell n that the track table does not have (or for a table that
// does not exist yet).
[[noreturn]] void no_track_cell(const Scenario& s, std::int64_t n);

// The track cell n; ReadFailure when the track table does not exist or has no cell n. Inline,
// because the speed, adhesion and gradient fills call it for every cell of the table.
inline TrackCell& track_cell(Scenario& s, std::int64_t n) {
  if (!s.has_cell(n)) no_track_cell(s, n);
  return s.track_table[static_cast<std::size_t>(n)];
}

// Records fault `code` for `what` ("the signal's cell") that cannot take cell n because the
// cell already holds an object; a note says which object and where it came from.
Diagnostic& cell_taken(Scenario& s, Fault code, std::int64_t n, const std::string& what);

// Records fault `code` about value `value` (from 1) of the entry being read: it points at
// that value's field rather than at the keyword.
Diagnostic& value_fault(Scenario& s, Fault code, int value);
Diagnostic& value_fault(Scenario& s, Fault code, int value, std::int32_t position);

// round(q) as a cell index or other 32-bit value; ReadFailure when it does not fit.
std::int32_t round_index(double q);

// The cell of a point object at p metres: round(p / 50 + 1).
std::int32_t point_cell(std::int32_t p);

// The cell where a stretch value that starts at p metres begins: round(p / 50).
std::int32_t stretch_cell(std::int32_t p);

// Narrowing that keeps the low 8 or 16 bits, where the format says so.
std::uint8_t low8(std::int64_t v);
std::int16_t low16(std::int64_t v);

// Narrowing of a value that must fit its field; ReadFailure naming `what` otherwise.
std::uint8_t fit_u8(std::int64_t v, const char* what);
std::int16_t fit_i16(std::int64_t v, const char* what);
std::int32_t fit_i32(std::int64_t v, const char* what);

// A name for the station table (a station's name, a signboard's text); ReadFailure naming
// `what` when it is longer than the station file can store.
std::string fit_name(std::string_view text, const char* what);

// The range margin of every positioned entry but a station, in metres.
inline constexpr int kEntryMargin = 100;
// A station's range margin, in metres.
inline constexpr int kStationMargin = 800;

// The last position the range check accepts on a track table of `cell_count` cells:
// 50 x cell_count - margin metres (the route, its run-out, less the margin).
constexpr std::int64_t last_accepted_position(std::int32_t cell_count, int margin = kEntryMargin) {
  return layer_chainage(cell_count) - margin;
}

// The range check of an entry at p metres: accepted when (p + margin) / 50 <= cell_count
// (stations use a margin of 800 m, every other entry 100 m). A refused entry records code 15
// at p. ReadFailure when there is no track table yet.
bool range_ok(Scenario& s, std::int32_t p, int margin = kEntryMargin);

// Runs `read` over a file whose text the reader holds: a ReadFailure takes its place in the
// file while the text is still there, and the reader's position is cleared before the text
// goes away with the reader.
template <typename Read>
auto while_reading(Scenario& s, Read&& read) {
  try {
    return read();
  } catch (ReadFailure& failure) {
    failure.locate(s.diagnostics.where);
    s.diagnostics.where = {};
    throw;
  }
}

}  // namespace sb
