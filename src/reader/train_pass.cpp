// The train pass: the train's general data, the speed and adhesion lists, signals, slow
// orders, "abbattimento" points and stations.
#include "model/file_names.h"
#include "model/quoting.h"
#include "model/rounding.h"
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

struct TrainPass {
  Scenario& s;
  ReaderState& st;
  FieldReader& in;
  std::int32_t speed_cell = 0;
  std::int32_t adhesion_cell = 0;
  std::int32_t station_slot = 1;
  bool speed_list = false;     // a "velocita" entry was read
  bool adhesion_list = false;  // an "aderenza" entry was read
  bool read_whole = false;     // the entries were read up to the end of the file

  std::int32_t cells() const { return s.cell_count; }

  void entry(std::string_view spelling, int values) { in.begin_entry(spelling, values); }

  // Range check of a positioned entry, and the run-out warning when it passes.
  bool placed(std::string_view keyword, std::int32_t p, int margin = 100) {
    if (!range_ok(s, p, margin)) return false;
    check_run_out(s, keyword, p);
    return true;
  }

  // The first entry of the speed or adhesion list fills the cells before its position with
  // the value carried over from the line file.
  void check_list_start(bool& seen, std::int32_t a, const char* list, std::string carried) {
    if (seen) return;
    seen = true;
    if (round_index(a / 50.0) <= 0) return;
    warn(s, Warning::kListStart,
         std::string("the ") + list + " list starts at " + std::to_string(a) +
             " m: the cells before it take " + carried +
             " carried over from the line file; start the list at 0");
  }

  void write_speed() {
    const auto fifth = round_half_even(st.running_speed / 5.0);
    track_cell(s, speed_cell).speed_limit = fit_u8(static_cast<std::int64_t>(fifth), "speed / 5");
    ++speed_cell;
  }

  void write_adhesion() {
    track_cell(s, adhesion_cell).adhesion = low8(st.running_adhesion);
    ++adhesion_cell;
  }

  Outcome speed_entry() {
    entry("velocita", 2);
    const std::int32_t a = in.read_number();
    const std::int32_t v = in.read_number();
    if (!placed("velocita", a)) return Outcome::kEndPass;
    check_list_start(speed_list, a, "speed",
                     "the speed " + std::to_string(st.running_speed) + " km/h");
    const std::int32_t e = round_index(a / 50.0);
    if (e > 0) {
      while (speed_cell < cells()) {
        write_speed();
        if (speed_cell >= e) break;
      }
    }
    st.running_speed = v;
    return Outcome::kGoOn;
  }

  Outcome adhesion_entry() {
    entry("aderenza", 2);
    const std::int32_t a = in.read_number();
    const std::int32_t h = in.read_number();
    if (!placed("aderenza", a)) return Outcome::kEndPass;
    check_list_start(adhesion_list, a, "adhesion",
                     "the adhesion " + std::to_string(st.running_adhesion));
    const std::int32_t e = round_index(a / 50.0);
    if (e > 0) {
      do write_adhesion();
      while (adhesion_cell < e);
    }
    st.running_adhesion = h;
    return Outcome::kGoOn;
  }

  Outcome signal_entry() {
    entry("segnale", 11);
    std::int32_t v[11];
    for (std::int32_t& value : v) value = in.read_number();
    if (!placed("segnale", v[0])) return Outcome::kEndPass;
    const std::size_t faults = s.diagnostics.faults();
    memo_segnale(s, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]);
    return stop_on_fault(v[0], faults, s.placed.signals, "the signal");
  }

  Outcome slow_order_entry() {
    entry("rallentamento", 6);
    std::int32_t v[6];
    for (std::int32_t& value : v) value = in.read_number();
    if (!placed("rallentamento", v[0])) return Outcome::kEndPass;
    const std::size_t faults = s.diagnostics.faults();
    memo_rallentamento(s, v[0], v[1], v[2], v[3], v[4], v[5]);
    return stop_on_fault(v[0], faults, s.placed.slow_orders, "the slow order");
  }

  // After a signal or a slow order, any fault recorded so far (even a range fault left by the
  // line pass) stops the pass, with the entry's position. A fault that was already standing
  // is told that the pass stopped here.
  Outcome stop_on_fault(std::int32_t position, std::size_t faults_before, std::int32_t& count,
                        const char* what) {
    if (s.error_code <= 0) {
      ++count;
      return Outcome::kGoOn;
    }
    const bool standing = s.diagnostics.faults() == faults_before;
    set_error_position(s, position);
    if (Diagnostic* fault = s.diagnostics.last_fault(); standing && fault != nullptr) {
      const SourceSpot here = current_spot(s.diagnostics.where);
      fault->notes.push_back(
          "the train file's reading stopped at " + std::string(what) + " at " +
          std::to_string(position) + " m (" + here.file + ":" + std::to_string(here.line) +
          "): while fault " + std::to_string(s.error_code) +
          " stands, a signal or slow order ends the reading, so the rest of the train file and "
          "the speed and adhesion fills were not read");
    }
    return Outcome::kStop;
  }

  Outcome abbattimento_entry() {
    entry("abbattimento", 2);
    const std::int32_t x = in.read_number();
    const std::int32_t w = in.read_number();
    if (!placed("abbattimento", x)) return Outcome::kEndPass;
    const std::int32_t n = round_index(x / 50.0);
    TrackCell& cell = track_cell(s, n);
    if (!cell.is_free()) {
      cell_taken(s, Fault::kAbbattimentoCellTaken, n, "the \"abbattimento\" point's cell");
      set_error_position(s, x);
      return Outcome::kStop;
    }
    record_origin(s, n, "an \"abbattimento\" point", x);
    ++s.placed.abbattimenti;
    if (w > 0) {
      cell.kind = kAbbattimento;
      cell.value1 = low16(w);
    } else {
      cell.kind = kAbbattimentoNoValue;
    }
    return Outcome::kGoOn;
  }

  // Every test whose word occurs takes effect, in this order, each reading its own values.
  // `matched` tells whether any test took the field.
  Outcome entry_of(std::string_view f, bool& matched) {
    auto& st84 = s.station_table[kTrainDataSlot];
    auto& st86 = s.station_table[kLineSlot];
    EntryRows rows(matched);
    auto value = [&](const char* spelling, std::int32_t& target) {
      entry(spelling, 1);
      target = in.read_number();
      return Outcome::kGoOn;
    };
    rows.run(contains_ignoring_case(f, "frenata") && contains_ignoring_case(f, "massa"),
             [&] { return value("percentuale massa frenata", st84.start_m); });
    rows.run(contains_ignoring_case(f, "vetture"),
             [&] { return value("numero vetture", st84.position_m); });
    rows.run(contains_ignoring_case(f, "velocit"), [&] { return speed_entry(); });
    rows.run(contains_ignoring_case(f, "aderenza"), [&] { return adhesion_entry(); });
    rows.run(contains_ignoring_case(f, "orologio"), [&] {
      entry("orologio", 3);
      st86.param_g = fit_i16(in.read_number(), "clock value");
      st86.param_h = fit_i16(in.read_number(), "clock value");
      st86.param_i = fit_i16(in.read_number(), "clock value");
      return Outcome::kGoOn;
    });
    rows.run(contains_ignoring_case(f, "sabbia"), [&] {
      entry("sabbia", 1);
      st86.param_d = fit_i16(in.read_number(), "sand value");
      return Outcome::kGoOn;
    });
    rows.run(contains_ignoring_case(f, "segnale"), [&] { return signal_entry(); });
    rows.run(contains_ignoring_case(f, "rallentamento"), [&] { return slow_order_entry(); });
    rows.run(contains_ignoring_case(f, "abbattimento"), [&] { return abbattimento_entry(); });
    rows.run(contains_ignoring_case(f, "stazione"), [&] {
      entry("stazione", 17);
      bool ends_at_range = false;
      if (read_station_entry(s, in, station_slot, st.signboard_slot, ends_at_range)) {
        ++s.placed.stations;
        return Outcome::kGoOn;
      }
      return ends_at_range ? Outcome::kEndPass : Outcome::kStop;
    });
    return rows.outcome();
  }

  // Finds "[generale]"; false when the file has none (nothing is read from it then).
  bool find_general_section() {
    std::string near;
    while (!in.at_end()) {
      const std::string_view field = in.read_keyword();
      if (contains_ignoring_case(field, "[generale]")) return true;
      if (near.empty() && looks_like(field, "[generale]")) {
        near = "line " + std::to_string(in.line()) + " holds " + quoted(field) +
               "; did you mean \"[generale]\"?";
      }
    }
    s.diagnostics.where.field = {};
    Diagnostic& d = warn(s, Warning::kNoGeneralSection,
                         "the train file has no \"[generale]\" section: nothing was read from "
                         "it (no station, signal, speed or adhesion)");
    if (!near.empty()) d.notes.push_back(near);
    return false;
  }

  // Returns false when the pass stopped at a fault.
  bool entries() {
    if (!find_general_section()) return true;
    read_whole = true;
    speed_cell = 0;
    adhesion_cell = 0;
    station_slot = 1;
    SkippedFields skipped(FilePart::kTrain);
    while (!in.at_end()) {
      std::string_view field = in.read_keyword();
      if (in.at_end()) break;
      for (int i = 0; i < 2 && contains(field, "-"); ++i) {
        field = in.read_keyword();
        if (in.at_end()) return true;
      }
      s.text_line = field;
      const std::int64_t line = in.line();
      bool matched = false;
      const Outcome o = entry_of(field, matched);
      if (o == Outcome::kStop) return false;
      if (o == Outcome::kEndPass) {
        read_whole = false;
        break;
      }
      const ReadPosition& at = s.diagnostics.where;
      if (matched) {
        skipped.entry_read(line, at);
      } else {
        skipped.skipped(s, field);
      }
      in.end_entry();
    }
    return true;
  }

  // A list that the train file never starts leaves every cell with the value carried over.
  void check_lists_given() {
    if (!speed_list) {
      warn(s, Warning::kListStart,
           "the train file has no \"velocita\" entry: every cell takes the speed " +
               std::to_string(st.running_speed) + " km/h carried over from the line file");
    }
    if (!adhesion_list) {
      warn(s, Warning::kListStart,
           "the train file has no \"aderenza\" entry: every cell takes the adhesion " +
               std::to_string(st.running_adhesion) + " carried over from the line file");
    }
  }

  // End of the pass: both lists filled up to cell N - 3 (at least one cell each), then the
  // chainage references checked.
  void finish() {
    do write_speed();
    while (speed_cell < cells() - 2);
    do write_adhesion();
    while (adhesion_cell < cells() - 2);
    for (int slot : {kChainageThreeSlot, kChainageTwoSlot, kChainageOneSlot}) {
      const StationRecord& r = s.station_table[slot];
      if (r.start_m % 50 != 0 || r.end_m % 50 != 0) {
        chainage_fault(r);
        break;
      }
    }
  }

  // `Fault::kChainageNotMultiple`, at the "progressiva chilometrica" entry that gave the refused
  // values (the entries were put in order after reading, and a second value may have grown by 100).
  void chainage_fault(const StationRecord& r) {
    Diagnostic& d = set_error(s, Fault::kChainageNotMultiple);
    for (const ChainageEntry& e : st.chainage) {
      if (e.spelling.empty() || e.first != r.start_m ||
          (e.second != r.end_m && std::int64_t{e.second} + 100 != r.end_m)) {
        continue;
      }
      const bool first = r.start_m % 50 != 0;
      d.where = e.spot;
      d.message = "\"" + std::string(e.spelling) + "\" has the " +
                  (first ? "first value " + std::to_string(e.first)
                         : "second value " + std::to_string(e.second)) +
                  " m, which is not a multiple of 50";
      return;
    }
  }
};

}  // namespace

void read_train_file(Scenario& s, ReaderState& st) {
  const std::string path = train_file_name(s);
  s.diagnostics.where = {};
  s.diagnostics.where.file = path;
  std::string text;
  try {
    text = read_source(path);
  } catch (ReadFailure& failure) {
    if (std::string note = missing_train_file_note(s, path); !note.empty()) {
      failure.add_note(std::move(note));
    }
    throw;
  }
  FieldReader in(std::move(text), &s.diagnostics.where);
  TrainPass pass{s, st, in};
  const bool go_on = while_reading(s, [&] { return pass.entries(); });
  // What follows belongs to the file but to none of its lines.
  s.diagnostics.where = {};
  s.diagnostics.where.file = path;
  delete_source(s, path);
  if (!go_on) return;
  if (pass.read_whole) pass.check_lists_given();
  s.diagnostics.where = {};
  pass.finish();
}

}  // namespace sb
