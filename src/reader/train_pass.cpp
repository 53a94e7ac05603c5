// The train pass: the train's general data, the speed and adhesion lists, signals, slow
// orders, "abbattimento" points and stations.
#include <array>

#include "model/cell_geometry.h"
#include "model/file_names.h"
#include "model/rounding.h"
#include "reader/entry_warnings.h"
#include "reader/field_reader.h"
#include "reader/operations.h"
#include "reader/pass_skeleton.h"
#include "reader/passes.h"
#include "reader/read_failure.h"
#include "reader/read_on.h"
#include "reader/reader_support.h"
#include "reader/source_hints.h"
#include "reader/value_warnings.h"

namespace sb {
namespace {

struct TrainPass : PassContext {
  std::int32_t speed_cell = 0;
  std::int32_t adhesion_cell = 0;
  std::int32_t station_slot = 1;
  bool speed_list = false;     // a "velocita" entry was read
  bool adhesion_list = false;  // an "aderenza" entry was read
  // A "velocita" or "aderenza" entry was written, even one that a fault left out.
  bool speed_written = false;
  bool adhesion_written = false;
  bool read_whole = false;  // the entries were read up to the end of the file
  std::vector<SlowOrderRead> slow_orders{};

  std::int32_t cells() const { return s.cell_count; }

  // The first entry of the speed or adhesion list fills the cells before its position with
  // the value carried over from the line file.
  void check_list_start(bool& seen, std::int32_t a, const char* list, std::string carried) {
    if (seen) return;
    seen = true;
    if (stretch_cell(a) <= 0) return;
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

  // A speed or adhesion entry: `fill_to(n)` gives the running value to the cells up to the
  // entry's cell n (when n is above 0); the entry's value then becomes the running value.
  template <typename Fill>
  Outcome list_entry(const Keyword& k, bool& seen, const char* list, std::int32_t& running,
                     const char* unit, Fill&& fill_to) {
    const auto e = placed_pair(k);
    if (!e) return Outcome::kEndPass;
    check_list_start(seen, e->position, list,
                     std::string("the ") + list + " " + std::to_string(running) + unit);
    if (&k == &kw::kAdhesion) check_low8(s, e->value, 2, "the adhesion");
    const std::int32_t n = stretch_cell(e->position);
    if (n > 0) fill_to(n);
    running = e->value;
    return Outcome::kGoOn;
  }

  Outcome speed_entry() {
    speed_written = true;
    return list_entry(kw::kSpeed, speed_list, "speed", st.running_speed, " km/h",
                      [&](std::int32_t n) {
                        while (speed_cell < cells()) {
                          write_speed();
                          if (speed_cell >= n) break;
                        }
                      });
  }

  Outcome adhesion_entry() {
    adhesion_written = true;
    return list_entry(kw::kAdhesion, adhesion_list, "adhesion", st.running_adhesion, "",
                      [&](std::int32_t n) {
                        do write_adhesion();
                        while (adhesion_cell < n);
                      });
  }

  // The values of a signal or a slow order (a signal has the most).
  using MarkedValues = std::array<std::int32_t, kw::kSignal.values>;
  static_assert(kw::kSlowOrder.values <= kw::kSignal.values);

  // A signal or a slow order: reads its values, checks its position (the first value), and
  // `mark(v)` places it; a fault then stops the pass (stop_on_fault).
  template <typename Mark>
  Outcome marked_entry(const Keyword& k, std::int32_t& count, const char* what, Mark&& mark) {
    entry(k);
    MarkedValues v{};
    for (std::size_t i = 0; i < static_cast<std::size_t>(k.values); ++i) v[i] = in.read_number();
    if (!placed(k, v[0])) return Outcome::kEndPass;
    const std::size_t faults = s.diagnostics.faults();
    mark(v);
    return stop_on_fault(v[0], faults, count, what);
  }

  Outcome signal_entry() {
    return marked_entry(kw::kSignal, s.placed.signals, "the signal", [&](MarkedValues& v) {
      check_signal(v);
      memo_segnale(s, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]);
    });
  }

  Outcome slow_order_entry() {
    return marked_entry(kw::kSlowOrder, s.placed.slow_orders, "the slow order",
                        [&](MarkedValues& v) {
                          check_slow_order(v);
                          memo_rallentamento(s, v[0], v[1], v[2], v[3], v[4], v[5]);
                        });
  }

  // The values of a signal that its packed fields do not keep apart or as written.
  void check_signal(const MarkedValues& v) {
    static constexpr const char* kNames[] = {"sx", "s1", "s2", "s3", "rapp",
                                             "dx", "d1", "d2", "d3"};
    const std::string packed = "its packed values keep the digits apart only within that range";
    for (std::size_t k = 1; k <= 9; ++k) {
      const bool side = k == 1 || k == 6;  // sx and dx
      check_range(s, v[k], static_cast<int>(k) + 1, 0, side ? 2 : 9,
                  std::string("the signal's ") + kNames[k - 1], packed);
    }
    // 1 to 100 are stored as 101; any other time keeps its low 8 bits.
    if (v[1] == 2 && !(v[10] >= 1 && v[10] <= 100)) check_low8(s, v[10], 11, "the signal's time");
  }

  // The values of a slow order that its 16-bit fields do not keep, and its length.
  void check_slow_order(const MarkedValues& v) {
    check_low16(s, v[1], 2, "the slow order's speed");
    check_slow_order_length(s, v[0], v[2]);
    check_low16(s, v[3], 4, "the slow order's value 4");
    if (v[5] != 0) check_low16(s, v[5], 6, "the slow order's second speed");
    const ReadPosition& at = s.diagnostics.where;
    slow_orders.push_back({v[0], v[2], at.entry.line, value_spot(at, 3)});
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
    const auto e = placed_pair(kw::kAbbattimentoPoint);
    if (!e) return Outcome::kEndPass;
    const std::int32_t x = e->position;
    const std::int32_t w = e->value;
    const std::int32_t n = stretch_cell(x);
    TrackCell* cell =
        free_cell(n, x, Fault::kAbbattimentoCellTaken, "the \"abbattimento\" point's cell");
    if (cell == nullptr) return Outcome::kStop;
    record_origin(s, n, "an \"abbattimento\" point", x);
    ++s.placed.abbattimenti;
    if (w > 0) {
      check_low16(s, w, 2, "the \"abbattimento\" value");
      cell->kind = kAbbattimento;
      cell->value1 = low16(w);
    } else {
      cell->kind = kAbbattimentoNoValue;
    }
    return Outcome::kGoOn;
  }

  // Every test whose word occurs takes effect, in this order, each reading its own values.
  // `matched` tells whether any test took the field.
  Outcome entry_of(std::string_view f, bool& matched) {
    auto& st84 = s.station_table[kTrainDataSlot];
    auto& st86 = s.station_table[kLineSlot];
    EntryRows rows(matched);
    auto value = [&](const Keyword& k, std::int32_t& target) {
      entry(k);
      target = in.read_number();
      return Outcome::kGoOn;
    };
    const auto row = [&](const Keyword& k) { return matches_keyword(k, f); };
    rows.run(row(kw::kBrakedMass), [&] { return value(kw::kBrakedMass, st84.start_m); });
    rows.run(row(kw::kCars), [&] { return value(kw::kCars, st84.position_m); });
    rows.run(row(kw::kSpeed), [&] { return speed_entry(); });
    rows.run(row(kw::kAdhesion), [&] { return adhesion_entry(); });
    rows.run(row(kw::kClock), [&] {
      entry(kw::kClock);
      st86.param_g = fit_i16(in.read_number(), "clock value");
      st86.param_h = fit_i16(in.read_number(), "clock value");
      st86.param_i = fit_i16(in.read_number(), "clock value");
      check_time_of_day(s, {st86.param_g, st86.param_h, st86.param_i}, 1, "the clock", false);
      return Outcome::kGoOn;
    });
    rows.run(row(kw::kSand), [&] {
      entry(kw::kSand);
      st86.param_d = fit_i16(in.read_number(), "sand value");
      return Outcome::kGoOn;
    });
    rows.run(row(kw::kSignal), [&] { return signal_entry(); });
    rows.run(row(kw::kSlowOrder), [&] { return slow_order_entry(); });
    rows.run(row(kw::kAbbattimentoPoint), [&] { return abbattimento_entry(); });
    rows.run(row(kw::kStation), [&] {
      entry(kw::kStation);
      const Outcome o = read_station_entry(s, st, in, station_slot);
      if (o == Outcome::kGoOn) ++s.placed.stations;
      return o;
    });
    return rows.outcome();
  }

  // Finds "[generale]"; false when the file has none (nothing is read from it then).
  bool general_section() {
    GeneralSearch search = find_general_section(s, in, true);
    if (search.found) return true;
    Diagnostic& d = warn(s, Warning::kNoGeneralSection,
                         "the train file has no \"[generale]\" section: nothing was read from "
                         "it (no station, signal, speed or adhesion)");
    if (!search.near.empty()) d.notes.push_back(std::move(search.near));
    return false;
  }

  // Returns false when the pass stopped at a fault.
  bool entries() {
    if (!general_section()) return true;
    read_whole = true;
    speed_cell = 0;
    adhesion_cell = 0;
    station_slot = 1;
    SkippedFields skipped(FilePart::kTrain);
    return entry_loop(skipped);
  }

  bool entry_loop(SkippedFields& skipped) {
    const Outcome outcome = read_entries(
        s, st, in, skipped,
        [&](std::string_view field, bool& matched) { return entry_of(field, matched); },
        [&](std::string_view field) { skipped.skipped(s, field); },
        [&](const ReadFailure* failure, const SkippedFields& after) { read_on(failure, after); });
    read_whole = outcome == Outcome::kGoOn;
    return outcome != Outcome::kStop;
  }

  // After the entries: the warnings about lists never started, then the fills.
  void end_of_file() {
    if (read_whole) check_lists_given();
    check_slow_order_spans(s, slow_orders, station_slot - 1);
    s.diagnostics.where = {};
    finish();
  }

  // The first fault of the build: a copy reads on from the entry after it to the end of the
  // file (read_on.h).
  void read_on(const ReadFailure* failure, SkippedFields skipped) {
    ReadOnCopy copy(s, st);
    FieldReader reader(in, &copy.s.diagnostics.where);
    TrainPass pass{{copy.s, copy.st, reader}};
    pass.speed_cell = speed_cell;
    pass.adhesion_cell = adhesion_cell;
    pass.station_slot = station_slot;
    pass.slow_orders = slow_orders;
    pass.speed_list = speed_list;
    pass.adhesion_list = adhesion_list;
    pass.speed_written = speed_written;
    pass.adhesion_written = adhesion_written;
    const std::string file = copy.s.diagnostics.where.file;
    copy.read_on(st, [&] {
      while_reading(copy.s, [&] {
        leave_out_first_fault(copy.s, reader, failure);
        return pass.entry_loop(skipped);
      });
      copy.s.diagnostics.where = {};
      copy.s.diagnostics.where.file = file;
      pass.end_of_file();
    });
  }

  // A list that the train file never starts leaves every cell with the value carried over.
  void check_lists_given() {
    if (!speed_written) {
      warn(s, Warning::kListStart,
           "the train file has no \"velocita\" entry: every cell takes the speed " +
               std::to_string(st.running_speed) + " km/h carried over from the line file");
    }
    if (!adhesion_written) {
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
      if (!on_cell_boundary(r.start_m) || !on_cell_boundary(r.end_m)) {
        chainage_fault(r);
        break;
      }
    }
  }

  // Code 2, at the "progressiva chilometrica" entry that gave the refused values (the entries
  // were put in order after reading, and a second value may have grown by 100).
  void chainage_fault(const StationRecord& r) {
    Diagnostic& d = set_error(s, Fault::kChainageNotMultiple);
    for (const ChainageEntry& e : st.chainage) {
      if (e.spelling.empty() || e.first != r.start_m ||
          (e.second != r.end_m && std::int64_t{e.second} + 100 != r.end_m)) {
        continue;
      }
      const bool first = !on_cell_boundary(r.start_m);
      d.where = first ? e.first_spot : e.second_spot;
      d.message = "\"" + std::string(e.spelling) + "\" has the " +
                  (first ? "first value " + std::to_string(e.first)
                         : "second value " + std::to_string(e.second)) +
                  " m, which is not a multiple of " + std::to_string(kCellLength);
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
    text = read_source(s, path);
  } catch (ReadFailure& failure) {
    for (std::string& note : missing_train_file_notes(s, path)) failure.add_note(std::move(note));
    throw;
  }
  FieldReader in(std::move(text), &s.diagnostics.where);
  TrainPass pass{{s, st, in}};
  const bool go_on = while_reading(s, [&] { return pass.entries(); });
  // What follows belongs to the file but to none of its lines.
  s.diagnostics.where = {};
  s.diagnostics.where.file = path;
  delete_source(s, path);
  if (go_on) pass.end_of_file();
}

}  // namespace sb
