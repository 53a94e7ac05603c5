// The line pass: the route length and the header slots from the general section, then the
// gradients, curves, mountain-side stretches, speed boards and signboards of the body.
#include "model/file_names.h"
#include "model/rounding.h"
#include "platform/files.h"
#include "reader/field_reader.h"
#include "reader/operations.h"
#include "reader/passes.h"
#include "reader/read_failure.h"
#include "reader/reader_support.h"
#include "reader/text_match.h"

namespace sb {
namespace {

constexpr std::int32_t kMaxRouteLength = 1000000;
constexpr std::int32_t kRunOut = 7000;

bool both(std::string_view field, std::string_view a, std::string_view b) {
  return contains(field, a) && contains(field, b);
}
bool both_ignoring_case(std::string_view field, std::string_view a, std::string_view b) {
  return contains_ignoring_case(field, a) && contains_ignoring_case(field, b);
}

void read_triple(FieldReader& in, StationRecord& slot) {
  slot.start_m = in.read_number();
  slot.end_m = in.read_number();
  slot.position_m = in.read_number();
}

void set_route_length(Scenario& s, std::int32_t length) {
  s.extended_length = length + kRunOut;
  s.cell_count = round_index(s.extended_length / 50.0);
  if (s.cell_count < 0) {
    throw ReadFailure("route length " + std::to_string(length) + " leaves no track at all");
  }
  s.track_table.assign(static_cast<std::size_t>(s.cell_count) + 1, TrackCell{});
  if (s.write_geometry != 0) {
    if (s.extended_length < 0) {
      throw ReadFailure("route length " + std::to_string(length) + " leaves no route plan");
    }
    s.route_matrix.allocate(s.extended_length);
  }
}

// One field of the general section; every row of the keyword table whose words occur takes
// effect, in the order of the table.
Outcome general_entry(Scenario& s, FieldReader& in) {
  const std::string& f = s.text_line;
  auto& st = s.station_table;
  if (both_ignoring_case(f, "lunghezza", "percorso")) {
    const std::int32_t length = in.read_number();
    st[kTrainDataSlot].end_m = length;
    if (length > kMaxRouteLength) {
      set_error(s, 1);
      return Outcome::kStop;
    }
    set_route_length(s, length);
  }
  if (both(f, "tre", "progressiva")) read_triple(in, st[kChainageThreeSlot]);
  if (both(f, "due", "progressiva")) read_triple(in, st[kChainageTwoSlot]);
  if (both(f, "uno", "progressiva")) read_triple(in, st[kChainageOneSlot]);
  if (both(f, "sfondo", "uno")) st[kScenarioSlot].start_m = in.read_number();
  if (both(f, "sfondo", "due")) st[kScenarioSlot].position_m = in.read_number();
  if (both(f, "sfondo", "tre")) st[kScenarioSlot].end_m = in.read_number();
  if (both(f, "segnali", "ripetizione")) {
    StationRecord& slot = st[kLineSlot];
    slot.start_m = in.read_number();
    slot.end_m = in.read_number();
    if (slot.start_m % 50 != 0) {
      set_error(s, 3);
      return Outcome::kStop;
    }
    if (slot.end_m % 50 != 0) {
      set_error(s, 4);
      return Outcome::kStop;
    }
    if (contains(f, "4")) {
      slot.position_m = 4;
    } else if (contains(f, "9")) {
      slot.position_m = 9;
    } else {
      set_error(s, 5);
      return Outcome::kStop;
    }
    if (slot.end_m == 0) slot.position_m = 0;
  }
  return Outcome::kGoOn;
}

void write_gradient(Scenario& s, ReaderState& st) {
  track_cell(s, st.gradient_fill).gradient = low8(std::int64_t{st.previous_gradient} + 100);
  ++st.gradient_fill;
}

// `keyword` is the field in `text_line`, kept apart because a signboard reads its text into
// `text_line`.
Outcome body_entry(Scenario& s, ReaderState& st, FieldReader& in, std::string_view keyword) {
  if (contains_ignoring_case(keyword, "pendenza")) {
    const std::int32_t p = in.read_number();
    const std::int32_t g = in.read_number();
    if (!range_ok(s, p)) return Outcome::kEndPass;
    const std::int32_t n = round_index(p / 50.0);
    if (n > 0) {
      do write_gradient(s, st);
      while (st.gradient_fill < n);
    }
    // The gradient is stored plus 100; a sum beyond 32 bits is refused at its entry.
    fit_i32(std::int64_t{g} + 100, "gradient + 100");
    st.previous_gradient = g;
  }
  if (contains_ignoring_case(keyword, "curva") && s.write_geometry != 0) {
    const std::int32_t p = in.read_number();
    const std::int32_t n = in.read_number();
    if (!range_ok(s, p)) return Outcome::kEndPass;
    const double c = curve_curvature(keyword);
    if (c == 0.0) {
      set_error(s, 103);
      return Outcome::kStop;
    }
    if (!add_curve(s, st.route, c, p, n)) return Outcome::kStop;
  }
  if (contains_ignoring_case(keyword, "montagna")) {
    std::int32_t inizio = in.read_number();
    std::int32_t fine = in.read_number();
    std::int32_t tipo = in.read_number();
    st.running_speed = fine;
    if (!range_ok(s, inizio)) return Outcome::kEndPass;
    memo_montagna(s, inizio, fine, tipo);
    if (s.error_code > 0) {
      set_error_position(s, inizio);
      return Outcome::kStop;
    }
  }
  if (contains_ignoring_case(keyword, "indicatori_v")) {
    const std::int32_t posizione = in.read_number();
    std::int32_t v[8];
    for (std::int32_t& value : v) value = in.read_number();
    st.running_speed = v[0];
    st.running_adhesion = v[3];
    if (!range_ok(s, posizione)) return Outcome::kEndPass;
    std::int16_t strisces = low16(v[3]);
    std::int16_t strisced = low16(v[7]);
    memo_indicatori_v_max(s, posizione, v[0], v[1], v[2], strisces, v[4], v[5], v[6], strisced);
    if (s.error_code > 0) {
      set_error_position(s, posizione);
      return Outcome::kStop;
    }
  }
  if (both_ignoring_case(keyword, "indicat", "cartello")) {
    const std::int32_t p = in.read_number();
    s.text_line = in.read_field();
    if (!range_ok(s, p)) return Outcome::kEndPass;
    TrackCell& cell = track_cell(s, point_cell(p));
    if (!cell.is_free()) {
      set_error(s, 6, p);
      return Outcome::kStop;
    }
    cell.kind = kSignboard;
    cell.value1 = static_cast<std::int16_t>(st.signboard_slot);
    if (st.signboard_slot < 0) {
      throw ReadFailure("more than " + std::to_string(kFirstSignboardSlot + 1) + " signboards");
    }
    s.station_table[static_cast<std::size_t>(st.signboard_slot)].name =
        fit_name(s.text_line, "signboard text");
    --st.signboard_slot;
  }
  return Outcome::kGoOn;
}

// Finds "[generale]"; false (code 102) when the file ends first.
bool find_general_section(Scenario& s, FieldReader& in) {
  for (;;) {
    if (in.at_end()) break;
    const std::string_view field = in.read_field();
    if (in.at_end()) break;
    if (contains_ignoring_case(field, "[generale]")) return true;
  }
  set_error(s, 102);
  s.fault_log.faults.back().detail = s.fault_log.where.file;
  return false;
}

bool general_pass(Scenario& s, FieldReader& in) {
  while (!in.at_end()) {
    s.text_line = in.read_field();
    if (in.at_end()) break;
    for (int i = 0; i < 10; ++i) {
      if (contains(s.text_line, "-")) s.text_line = in.read_field();
    }
    if (general_entry(s, in) == Outcome::kStop) return false;
    const std::string_view f = s.text_line;
    const std::size_t first = f.find_first_not_of(' ');
    const bool separator = first != std::string_view::npos && f[first] == '-';
    if (!separator && contains(f, "[") && contains(f, "]")) break;
  }
  return true;
}

bool body_pass(Scenario& s, ReaderState& st, FieldReader& in) {
  while (!in.at_end()) {
    std::string_view field = in.read_field();
    s.text_line = field;
    if (in.at_end()) break;
    for (int i = 0; i < 2 && contains(field, "-"); ++i) {
      field = in.read_field();
      s.text_line = field;
      if (in.at_end()) return true;
    }
    const Outcome outcome = body_entry(s, st, in, field);
    if (outcome == Outcome::kStop) return false;
    if (outcome == Outcome::kEndPass) break;
  }
  return true;
}

}  // namespace

bool read_line_file(Scenario& s, ReaderState& st) {
  s.station_table[kScenarioSlot].name = s.stored_scenario_name;
  s.station_table[kLineSlot].name = s.stored_line_name;
  const std::string path = line_file_name(s);
  // Anything but an ordinary file of that name is no line file (code 101); the fault says
  // what stands there instead. A name the system cannot look up is a platform failure.
  if (const FileKind kind = file_kind(path); kind != FileKind::kOrdinary) {
    set_error(s, 101);
    s.fault_log.faults.back().detail =
        kind == FileKind::kMissing ? path : path + ": " + not_ordinary_file_reason(kind);
    return false;
  }
  s.fault_log.where = {path, 0};
  FieldReader in(read_source(path), &s.fault_log.where);

  bool go_on = find_general_section(s, in) && general_pass(s, in);
  if (go_on) {
    progressive_ordina(s);
    s.mountain_count = 0;
    st.signboard_slot = kFirstSignboardSlot;
    if (s.write_geometry != 0) start_route(s, st.route);
    go_on = body_pass(s, st, in);
  }
  delete_source(s, path);
  if (!go_on) return false;

  s.fault_log.where.line = 0;  // the tail belongs to no line of the file
  if (!s.has_track_table()) throw ReadFailure("the line file gives no route length");
  do write_gradient(s, st);
  while (st.gradient_fill < s.cell_count - 2);
  if (s.write_geometry != 0) extend_route(s, st.route);
  return true;
}

}  // namespace sb
