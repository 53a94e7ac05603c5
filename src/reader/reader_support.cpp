#include "reader/reader_support.h"

#include "model/cell_geometry.h"
#include "model/rounding.h"
#include "reader/read_failure.h"

namespace sb {

void no_track_cell(const Scenario& s, std::int64_t n) {
  if (!s.has_track_table()) {
    throw ReadFailure("there is no track yet: the line file gives no \"lunghezza percorso\"");
  }
  // A cell before the first is mostly a negative position: the entry's first value.
  if (n < 0) {
    throw ReadFailure::of_value(
        "the cell at " + cell_range(n) + " lies before the start of the line", 1);
  }
  throw ReadFailure("the cell at " + cell_range(n) + " lies beyond the end of the track at " +
                    std::to_string(layer_chainage(s.cell_count)) + " m (the route's " +
                    std::to_string(s.station_table[kTrainDataSlot].end_m) + " m and its " +
                    run_out_text() + ")");
}

Diagnostic& cell_taken(Scenario& s, Fault code, std::int64_t n, const std::string& what) {
  Diagnostic& d = set_error(s, code);
  d.message = what + " at " + cell_range(n) + " already holds an object";
  d.notes.push_back("the cell holds " + origin_of(s, n));
  return d;
}

Diagnostic& value_fault(Scenario& s, Fault code, int value) {
  Diagnostic& d = set_error(s, code);
  d.where = value_spot(s.diagnostics.where, value);
  return d;
}

Diagnostic& value_fault(Scenario& s, Fault code, int value, std::int32_t position) {
  value_fault(s, code, value);
  set_error_position(s, position);
  return *s.diagnostics.last_fault();
}

std::int32_t round_index(double q) {
  const auto r = round_to_int32(q);
  if (!r) throw ReadFailure("a position lies outside the route");
  return *r;
}

std::int32_t point_cell(std::int32_t p) {
  return round_index(point_cell_fraction(p));
}

std::int32_t stretch_cell(std::int32_t p) {
  return round_index(in_cells(p));
}

std::uint8_t low8(std::int64_t v) {
  return static_cast<std::uint8_t>(v & 0xFF);
}
std::int16_t low16(std::int64_t v) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(v & 0xFFFF));
}

std::uint8_t fit_u8(std::int64_t v, const char* what) {
  if (v < 0 || v > 255) {
    throw ReadFailure(std::string(what) + " " + std::to_string(v) + " does not fit 0 to 255",
                      ReadFailure::At::kField);
  }
  return static_cast<std::uint8_t>(v);
}

std::int16_t fit_i16(std::int64_t v, const char* what) {
  if (v < -32768 || v > 32767) {
    throw ReadFailure(std::string(what) + " " + std::to_string(v) + " does not fit -32768 to 32767",
                      ReadFailure::At::kField);
  }
  return static_cast<std::int16_t>(v);
}

std::int32_t fit_i32(std::int64_t v, const char* what) {
  if (v < INT32_MIN || v > INT32_MAX) {
    throw ReadFailure(std::string(what) + " " + std::to_string(v) + " does not fit 32 bits");
  }
  return static_cast<std::int32_t>(v);
}

std::string fit_name(std::string_view text, const char* what) {
  if (text.size() > kMaxNameBytes) {
    throw ReadFailure(std::string(what) + " of " + std::to_string(text.size()) +
                      " bytes is longer than the " + std::to_string(kMaxNameBytes) +
                      " bytes a name can hold");
  }
  return std::string(text);
}

bool range_ok(Scenario& s, std::int32_t p, int margin) {
  if (!s.has_track_table()) no_track_cell(s, 0);
  if (in_cells(static_cast<double>(p) + margin) <= s.cell_count) return true;
  Diagnostic& d = value_fault(s, Fault::kBeyondTrackTable, 1, p);
  const ReadPosition& at = s.diagnostics.where;
  const std::string entry = at.in_entry ? "\"" + std::string(at.keyword) + "\"" : "the entry";
  d.message = entry + " lies beyond the end of the track table, which takes entries up to " +
              std::to_string(last_accepted_position(s.cell_count, margin)) + " m: the route's " +
              std::to_string(s.station_table[kTrainDataSlot].end_m) + " m and its " +
              run_out_text() + ", less " + std::to_string(margin) + " m";
  return false;
}

}  // namespace sb
