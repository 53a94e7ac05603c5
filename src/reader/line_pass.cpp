// The line pass: the route length and the header slots from the general section, then the
// gradients, curves, mountain-side stretches, speed boards and signboards of the body.
#include "model/file_names.h"
#include "model/quoting.h"
#include "model/rounding.h"
#include "platform/files.h"
#include "platform/memory_block.h"
#include "reader/entry_warnings.h"
#include "reader/field_reader.h"
#include "reader/operations.h"
#include "reader/passes.h"
#include "reader/read_failure.h"
#include "reader/reader_support.h"
#include "reader/source_hints.h"
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

void set_route_length(Scenario& s, std::int32_t length) {
  s.extended_length = length + kRunOut;
  s.cell_count = round_index(s.extended_length / 50.0);
  if (s.cell_count < 0) {
    throw ReadFailure("the route length of " + std::to_string(length) +
                      " m leaves no track at all");
  }
  // The table is written from end to end at once: its memory is asked for in one call first
  // (on the longest routes that is hundreds of fresh pages).
  const auto cells = static_cast<std::size_t>(s.cell_count) + 1;
  s.track_table.clear();
  s.track_table.reserve(cells);
  prefault_memory(s.track_table.data(), cells * sizeof(TrackCell));
  s.track_table.assign(cells, TrackCell{});
  s.cell_origin.clear();
  if (s.write_geometry != 0) {
    if (s.extended_length < 0) {
      throw ReadFailure("the route length of " + std::to_string(length) +
                        " m leaves no route plan");
    }
    s.route_matrix.allocate(s.extended_length);
  }
}

struct LinePass {
  Scenario& s;
  ReaderState& st;
  FieldReader& in;

  // Starts an entry: its values are read next.
  void entry(std::string_view spelling, int values) { in.begin_entry(spelling, values); }

  void read_triple(int slot, std::string_view spelling) {
    entry(spelling, 3);
    StationRecord& r = s.station_table[static_cast<std::size_t>(slot)];
    r.start_m = in.read_number();
    r.end_m = in.read_number();
    r.position_m = in.read_number();
    ChainageEntry& e = st.chainage[slot - kChainageThreeSlot];
    e.spot = current_spot(s.diagnostics.where);
    e.spelling = spelling;
    e.first = r.start_m;
    e.second = r.end_m;
  }

  // One field of the general section; every row of the keyword table whose words occur takes
  // effect, in the order of the table. `matched` tells whether any did.
  Outcome general_entry(bool& matched) {
    const std::string& f = s.text_line;
    auto& slots = s.station_table;
    matched = false;
    auto row = [&](bool hit) { return matched = hit || matched, hit; };
    if (row(both_ignoring_case(f, "lunghezza", "percorso"))) {
      entry("lunghezza percorso", 1);
      const std::int32_t length = in.read_number();
      slots[kTrainDataSlot].end_m = length;
      if (length > kMaxRouteLength) {
        set_error(s, Fault::kRouteTooLong).message =
            "the route length of " + std::to_string(length) + " m is above 1000000 m";
        return Outcome::kStop;
      }
      set_route_length(s, length);
    }
    if (row(both(f, "tre", "progressiva")))
      read_triple(kChainageThreeSlot, "progressiva chilometrica tre");
    if (row(both(f, "due", "progressiva")))
      read_triple(kChainageTwoSlot, "progressiva chilometrica due");
    if (row(both(f, "uno", "progressiva")))
      read_triple(kChainageOneSlot, "progressiva chilometrica uno");
    if (row(both(f, "sfondo", "uno"))) {
      entry("sfondo uno", 1);
      slots[kScenarioSlot].start_m = in.read_number();
    }
    if (row(both(f, "sfondo", "due"))) {
      entry("sfondo due", 1);
      slots[kScenarioSlot].position_m = in.read_number();
    }
    if (row(both(f, "sfondo", "tre"))) {
      entry("sfondo tre", 1);
      slots[kScenarioSlot].end_m = in.read_number();
    }
    if (row(both(f, "segnali", "ripetizione"))) return signal_repetition();
    return Outcome::kGoOn;
  }

  Outcome signal_repetition() {
    entry("ripetizione segnali", 2);
    StationRecord& slot = s.station_table[kLineSlot];
    slot.start_m = in.read_number();
    slot.end_m = in.read_number();
    for (int k = 0; k < 2; ++k) {
      const std::int32_t v = k == 0 ? slot.start_m : slot.end_m;
      if (v % 50 != 0) {
        const Fault fault =
            k == 0 ? Fault::kRepetitionFirstNotMultiple : Fault::kRepetitionSecondNotMultiple;
        set_error(s, fault).message = std::string(k == 0 ? "the first" : "the second") +
                                      " signal-repetition value, " + std::to_string(v) +
                                      " m, is not a multiple of 50";
        return Outcome::kStop;
      }
    }
    const std::string& f = s.text_line;
    if (contains(f, "4")) {
      slot.position_m = 4;
    } else if (contains(f, "9")) {
      slot.position_m = 9;
    } else {
      set_error(s, Fault::kRepetitionWithoutCodes).message =
          "the signal-repetition keyword " + quoted(f) +
          " names neither 4 nor 9 codes: write \"4\" or \"9\" in it";
      return Outcome::kStop;
    }
    if (slot.end_m == 0) slot.position_m = 0;
    return Outcome::kGoOn;
  }

  void write_gradient() {
    track_cell(s, st.gradient_fill).gradient = low8(std::int64_t{st.previous_gradient} + 100);
    ++st.gradient_fill;
  }

  // Range check of a positioned entry, and the run-out warning when it passes.
  bool placed(std::string_view keyword, std::int32_t p) {
    if (!range_ok(s, p)) return false;
    check_run_out(s, keyword, p);
    return true;
  }

  Outcome gradient() {
    entry("pendenza", 2);
    const std::int32_t p = in.read_number();
    const std::int32_t g = in.read_number();
    if (!placed("pendenza", p)) return Outcome::kEndPass;
    const std::int32_t n = round_index(p / 50.0);
    if (n > 0) {
      do write_gradient();
      while (st.gradient_fill < n);
    }
    // The gradient is stored plus 100; a sum beyond 32 bits is refused at its entry.
    if (std::int64_t{g} + 100 > INT32_MAX) {
      throw ReadFailure("the gradient " + std::to_string(g) +
                        " cannot be stored: plus 100 it does not fit 32 bits");
    }
    st.previous_gradient = g;
    ++s.placed.gradients;
    return Outcome::kGoOn;
  }

  Outcome curve(std::string_view keyword) {
    entry("curva", 2);
    const std::int32_t p = in.read_number();
    const std::int32_t n = in.read_number();
    if (!placed("curva", p)) return Outcome::kEndPass;
    const double c = curve_curvature(keyword);
    if (c == 0.0) {
      set_error(s, Fault::kBadCurve).message =
          "the curve keyword " + quoted(keyword) + " has no class digit 1 to 6 (as in \"curvad4\")";
      return Outcome::kStop;
    }
    const std::int64_t reached = std::int64_t{st.route.k} - 1;  // the route plan's last point
    if (p < reached && st.route.k > 2) {
      const bool nothing = std::int64_t{p} + n < reached;
      warn(s, Warning::kCurveOrder,
           "the curve at " + std::to_string(p) + " m starts before the route plan has reached it" +
               " (the plan already runs to " + std::to_string(reached) + " m), so " +
               (nothing ? "it adds nothing to the plan" : "only its part beyond that is drawn") +
               ": list the curves in increasing order, without overlaps");
    }
    if (!add_curve(s, st.route, c, p, n)) return Outcome::kStop;
    ++s.placed.curves;
    return Outcome::kGoOn;
  }

  Outcome stretch() {
    entry("montagna", 3);
    std::int32_t inizio = in.read_number();
    std::int32_t fine = in.read_number();
    std::int32_t tipo = in.read_number();
    st.running_speed = fine;
    if (!placed("montagna", inizio)) return Outcome::kEndPass;
    memo_montagna(s, inizio, fine, tipo);
    if (s.error_code > 0) {
      set_error_position(s, inizio);
      return Outcome::kStop;
    }
    ++s.placed.stretches;
    return Outcome::kGoOn;
  }

  Outcome speed_board() {
    entry("indicatori_vmax", 9);
    const std::int32_t posizione = in.read_number();
    std::int32_t v[8];
    for (std::int32_t& value : v) value = in.read_number();
    st.running_speed = v[0];
    st.running_adhesion = v[3];
    if (!placed("indicatori_vmax", posizione)) return Outcome::kEndPass;
    std::int16_t strisces = low16(v[3]);
    std::int16_t strisced = low16(v[7]);
    memo_indicatori_v_max(s, posizione, v[0], v[1], v[2], strisces, v[4], v[5], v[6], strisced);
    if (s.error_code > 0) {
      set_error_position(s, posizione);
      return Outcome::kStop;
    }
    ++s.placed.speed_boards;
    return Outcome::kGoOn;
  }

  Outcome signboard() {
    entry("indicatore cartello", 2);
    const std::int32_t p = in.read_number();
    s.text_line = in.read_field();
    check_name(s, s.text_line, "the signboard at " + std::to_string(p) + " m",
               s.diagnostics.where.entry.line, s.diagnostics.where.field.line);
    if (!placed("indicatore cartello", p)) return Outcome::kEndPass;
    const std::int32_t n = point_cell(p);
    TrackCell& cell = track_cell(s, n);
    if (!cell.is_free()) {
      cell_taken(s, Fault::kSignboardCellTaken, n, "the signboard's cell");
      set_error_position(s, p);
      return Outcome::kStop;
    }
    cell.kind = kSignboard;
    cell.value1 = static_cast<std::int16_t>(st.signboard_slot);
    if (st.signboard_slot < 0) {
      throw ReadFailure("more than " + std::to_string(kFirstSignboardSlot + 1) +
                        " signboards: the station table has no slot left for this one");
    }
    s.station_table[static_cast<std::size_t>(st.signboard_slot)].name =
        fit_name(s.text_line, "signboard text");
    record_origin(s, n, "a signboard", p);
    --st.signboard_slot;
    ++s.placed.signboards;
    return Outcome::kGoOn;
  }

  // `keyword` is the field in `text_line`, kept apart because a signboard reads its text into
  // `text_line`. `matched` tells whether any row took the field.
  Outcome body_entry(std::string_view keyword, bool& matched) {
    EntryRows rows(matched);
    rows.run(contains_ignoring_case(keyword, "pendenza"), [&] { return gradient(); });
    rows.run(contains_ignoring_case(keyword, "curva") && s.write_geometry != 0,
             [&] { return curve(keyword); });
    rows.run(contains_ignoring_case(keyword, "montagna"), [&] { return stretch(); });
    rows.run(contains_ignoring_case(keyword, "indicatori_v"), [&] { return speed_board(); });
    rows.run(both_ignoring_case(keyword, "indicat", "cartello"), [&] { return signboard(); });
    return rows.outcome();
  }

  // Finds "[generale]"; false (a fault: no general section) when the file ends first.
  bool find_general_section() {
    std::string near;
    for (;;) {
      if (in.at_end()) break;
      const std::string_view field = in.read_keyword();
      if (in.at_end()) break;
      if (contains_ignoring_case(field, "[generale]")) return true;
      if (near.empty() && looks_like(field, "[generale]")) {
        near = "line " + std::to_string(in.line()) + " holds " + quoted(field) +
               "; did you mean \"[generale]\"?";
      }
    }
    s.diagnostics.where.field = {};
    Diagnostic& d = set_error(s, Fault::kNoGeneralSection);
    if (!near.empty()) d.notes.push_back(near);
    return false;
  }

  bool general_pass() {
    SkippedFields skipped(FilePart::kLineGeneral);
    while (!in.at_end()) {
      s.text_line = in.read_keyword();
      if (in.at_end()) break;
      for (int i = 0; i < 10; ++i) {
        if (contains(s.text_line, "-")) s.text_line = in.read_keyword();
      }
      bool matched = false;
      if (general_entry(matched) == Outcome::kStop) return false;
      in.end_entry();
      const std::string_view f = s.text_line;
      const std::size_t first = f.find_first_not_of(' ');
      const bool separator = first != std::string_view::npos && f[first] == '-';
      if (!separator && contains(f, "[") && contains(f, "]")) break;
      const ReadPosition& at = s.diagnostics.where;
      if (matched) {
        skipped.entry_read(at.entry.line, at);
      } else {
        skipped.skipped(s, f);
      }
    }
    return true;
  }

  bool body_pass() {
    SkippedFields skipped(FilePart::kLineBody);
    while (!in.at_end()) {
      std::string_view field = in.read_keyword();
      s.text_line = field;
      if (in.at_end()) break;
      for (int i = 0; i < 2 && contains(field, "-"); ++i) {
        field = in.read_keyword();
        s.text_line = field;
        if (in.at_end()) return true;
      }
      const std::int64_t line = in.line();
      bool matched = false;
      const Outcome outcome = body_entry(field, matched);
      if (outcome == Outcome::kStop) return false;
      if (outcome == Outcome::kEndPass) break;
      const ReadPosition& at = s.diagnostics.where;
      if (matched) {
        skipped.entry_read(line, at);
      } else if (contains_ignoring_case(field, "curva")) {
        skipped.quiet_line(at);  // a curve without a route plan is skipped with its values
      } else {
        skipped.skipped(s, field);
      }
      in.end_entry();
    }
    return true;
  }
};

}  // namespace

bool read_line_file(Scenario& s, ReaderState& st) {
  s.station_table[kScenarioSlot].name = s.stored_scenario_name;
  s.station_table[kLineSlot].name = s.stored_line_name;
  const std::string path = line_file_name(s);
  // Anything but an ordinary file of that name is no line file (a fault); the fault says
  // what stands there instead. A name the system cannot look up is a platform failure.
  if (const FileKind kind = file_kind(path); kind != FileKind::kOrdinary) {
    Diagnostic& d = set_error(s, Fault::kNoLineFile);
    if (kind == FileKind::kMissing) {
      d.message = "line file " + quoted(path, 0) + " not found";
      if (std::string note = missing_line_file_note(s); !note.empty()) {
        d.notes.push_back(std::move(note));
      }
    } else {
      d.message = "no line file " + quoted(path, 0) + ": " + not_ordinary_file_reason(kind);
    }
    return false;
  }
  s.diagnostics.where = {};
  s.diagnostics.where.file = path;
  FieldReader in(read_source(path), &s.diagnostics.where);
  LinePass pass{s, st, in};
  bool go_on = while_reading(s, [&] {
    if (!pass.find_general_section() || !pass.general_pass()) return false;
    progressive_ordina(s);
    s.mountain_count = 0;
    st.signboard_slot = kFirstSignboardSlot;
    if (s.write_geometry != 0) start_route(s, st.route);
    return pass.body_pass();
  });
  // What follows belongs to the file but to none of its lines.
  s.diagnostics.where = {};
  s.diagnostics.where.file = path;
  delete_source(s, path);
  if (!go_on) return false;

  if (!s.has_track_table()) no_track_cell(s, 0);
  do pass.write_gradient();
  while (st.gradient_fill < s.cell_count - 2);
  if (s.write_geometry != 0) extend_route(s, st.route);
  return true;
}

}  // namespace sb
