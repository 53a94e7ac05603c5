// The line pass: the route length and the header slots from the general section, then the
// gradients, curves, mountain-side stretches, speed boards and signboards of the body.
#include <optional>

#include "model/cell_geometry.h"
#include "model/file_names.h"
#include "model/quoting.h"
#include "model/rounding.h"
#include "platform/files.h"
#include "platform/memory_block.h"
#include "platform/printable_text.h"
#include "reader/entry_warnings.h"
#include "reader/field_reader.h"
#include "reader/operations.h"
#include "reader/pass_skeleton.h"
#include "reader/passes.h"
#include "reader/read_failure.h"
#include "reader/read_on.h"
#include "reader/reader_support.h"
#include "reader/source_hints.h"
#include "reader/text_match.h"
#include "reader/value_warnings.h"

namespace sb {
namespace {

constexpr std::int32_t kMaxRouteLength = 1000000;

void set_route_length(Scenario& s, std::int32_t length) {
  s.extended_length = length + kRunOut;
  s.cell_count = round_index(in_cells(s.extended_length));
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

struct LinePass : PassContext {
  void read_triple(int slot, const Keyword& k) {
    entry(k);
    StationRecord& r = s.station_table[static_cast<std::size_t>(slot)];
    r.start_m = in.read_number();
    r.end_m = in.read_number();
    r.position_m = in.read_number();
    ChainageEntry& e = st.chainage[slot - kChainageThreeSlot];
    e.first_spot = value_spot(s.diagnostics.where, 1);
    e.second_spot = value_spot(s.diagnostics.where, 2);
    e.spelling = k.spelling;
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
    if (row(matches_keyword(kw::kRouteLength, f))) {
      entry(kw::kRouteLength);
      const std::int32_t length = in.read_number();
      slots[kTrainDataSlot].end_m = length;
      if (length > kMaxRouteLength) {
        value_fault(s, Fault::kRouteTooLong, 1).message =
            "the route length of " + std::to_string(length) + " m is above 1000000 m";
        return Outcome::kStop;
      }
      check_range(s, length, 1, 0, kMaxRouteLength, "the route length",
                  "the track holds no line before its run-out", " m");
      set_route_length(s, length);
    }
    if (row(matches_keyword(kw::kChainageThree, f)))
      read_triple(kChainageThreeSlot, kw::kChainageThree);
    if (row(matches_keyword(kw::kChainageTwo, f))) read_triple(kChainageTwoSlot, kw::kChainageTwo);
    if (row(matches_keyword(kw::kChainageOne, f))) read_triple(kChainageOneSlot, kw::kChainageOne);
    auto value = [&](const Keyword& k, std::int32_t& target) {
      if (!row(matches_keyword(k, f))) return;
      entry(k);
      target = in.read_number();
    };
    value(kw::kBackgroundOne, slots[kScenarioSlot].start_m);
    value(kw::kBackgroundTwo, slots[kScenarioSlot].position_m);
    value(kw::kBackgroundThree, slots[kScenarioSlot].end_m);
    if (row(matches_keyword(kw::kSignalRepetition, f))) return signal_repetition();
    return Outcome::kGoOn;
  }

  Outcome signal_repetition() {
    entry(kw::kSignalRepetition);
    StationRecord& slot = s.station_table[kLineSlot];
    slot.start_m = in.read_number();
    slot.end_m = in.read_number();
    for (int k = 0; k < 2; ++k) {
      const std::int32_t v = k == 0 ? slot.start_m : slot.end_m;
      if (!on_cell_boundary(v)) {
        value_fault(
            s, k == 0 ? Fault::kRepetitionFirstNotMultiple : Fault::kRepetitionSecondNotMultiple,
            k + 1)
            .message = std::string(k == 0 ? "the first" : "the second") +
                       " signal-repetition value, " + std::to_string(v) +
                       " m, is not a multiple of " + std::to_string(kCellLength);
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

  // Writes the previous gradient into the next cell. Its stored sum, the gradient plus 100,
  // is formed here, so a sum beyond 32 bits fails at this write: in the entry whose fill
  // makes it (`filled_by`, that entry's position), or in the tail fill (no position), with a
  // note for the entry that set the gradient.
  void write_gradient(std::optional<std::int32_t> filled_by) {
    TrackCell& cell = track_cell(s, st.gradient_fill);
    const std::int64_t sum = std::int64_t{st.previous_gradient} + 100;
    if (sum > INT32_MAX && st.gradient_refused != st.gradient_line) {
      st.gradient_refused = st.gradient_line;
      const std::string g = std::to_string(st.previous_gradient);
      const std::string gradient = "\"" + std::string(kw::kGradient.name()) + "\" at ";
      const std::string by =
          filled_by ? gradient + std::to_string(*filled_by) + " m fills the cells before it"
                    : "the end of the line file fills the cells up to the end of the track";
      throw ReadFailure(
          by + " with the gradient " + g +
              ", which cannot be stored: plus 100 it does not fit 32 bits",
          ReadFailure::At::kEntry,
          {"the gradient " + g + " was set by " + gradient + std::to_string(st.gradient_position) +
           " m (" + s.diagnostics.where.file + ":" + std::to_string(st.gradient_line) + ")"});
    }
    cell.gradient = low8(sum);
    ++st.gradient_fill;
  }

  Outcome gradient() {
    const auto e = placed_pair(kw::kGradient);
    if (!e) return Outcome::kEndPass;
    check_gradient(s, e->value, 2);
    // A position before the line fills no cell, as one in cell 0 does: the gradient holds from
    // 0 m. Stored as written, but an author who typed it meant something else.
    if (e->position < 0) {
      warn(s, Warning::kValueRange,
           "the gradient at " + std::to_string(e->position) +
               " m starts before the start of the line: it holds from 0 m, as an entry at 0 m "
               "would",
           value_spot(s.diagnostics.where, 1));
    }
    const std::int32_t n = stretch_cell(e->position);
    if (n > 0) {
      do write_gradient(e->position);
      while (st.gradient_fill < n);
    }
    st.previous_gradient = e->value;
    st.gradient_line = s.diagnostics.where.entry.line;
    st.gradient_position = e->position;
    ++s.placed.gradients;
    return Outcome::kGoOn;
  }

  Outcome curve(std::string_view keyword) {
    entry(kw::kCurve);
    const std::int32_t p = in.read_number();
    const std::int32_t n = in.read_number();
    if (!placed(kw::kCurve, p)) return Outcome::kEndPass;
    if (n <= 0) {
      warn(s, Warning::kValueRange,
           "the curve at " + std::to_string(p) + " m has the length " + std::to_string(n) +
               " m, so it turns nothing: the second value is the curve's length in metres",
           value_spot(s.diagnostics.where, 2));
    }
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
    entry(kw::kMountainSide);
    std::int32_t inizio = in.read_number();
    std::int32_t fine = in.read_number();
    std::int32_t tipo = in.read_number();
    st.running_speed = fine;
    if (!placed(kw::kMountainSide, inizio)) return Outcome::kEndPass;
    check_mountain_type(s, tipo, 3);
    memo_montagna(s, inizio, fine, tipo);
    return counted_unless_fault(inizio, s.placed.stretches);
  }

  // After a mountain-side stretch or a speed board: a fault that its operation recorded stops
  // the pass, at the entry's first value; otherwise the entry counts as placed.
  Outcome counted_unless_fault(std::int32_t position, std::int32_t& count) {
    if (s.error_code > 0) {
      set_error_position(s, position);
      return Outcome::kStop;
    }
    ++count;
    return Outcome::kGoOn;
  }

  Outcome speed_board() {
    entry(kw::kSpeedBoard);
    const std::int32_t posizione = in.read_number();
    std::int32_t v[kw::kSpeedBoard.values - 1];
    for (std::int32_t& value : v) value = in.read_number();
    st.running_speed = v[0];
    st.running_adhesion = v[3];
    if (!placed(kw::kSpeedBoard, posizione)) return Outcome::kEndPass;
    check_speed_board(s, v);
    std::int16_t strisces = low16(v[3]);
    std::int16_t strisced = low16(v[7]);
    memo_indicatori_v_max(s, posizione, v[0], v[1], v[2], strisces, v[4], v[5], v[6], strisced);
    return counted_unless_fault(posizione, s.placed.speed_boards);
  }

  Outcome signboard() {
    entry(kw::kSignboard);
    const std::int32_t p = in.read_number();
    s.text_line = in.read_field();
    check_name(s, s.text_line, "the signboard at " + std::to_string(p) + " m",
               s.diagnostics.where.entry.line, s.diagnostics.where.field.line);
    if (!placed(kw::kSignboard, p)) return Outcome::kEndPass;
    const std::int32_t n = point_cell(p);
    TrackCell* cell = free_cell(n, p, Fault::kSignboardCellTaken, "the signboard's cell");
    if (cell == nullptr) return Outcome::kStop;
    cell->kind = kSignboard;
    cell->value1 = static_cast<std::int16_t>(st.signboard_slot);
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
    rows.run(matches_keyword(kw::kGradient, keyword), [&] { return gradient(); });
    rows.run(matches_keyword(kw::kCurve, keyword) && s.write_geometry != 0,
             [&] { return curve(keyword); });
    rows.run(matches_keyword(kw::kMountainSide, keyword), [&] { return stretch(); });
    rows.run(matches_keyword(kw::kSpeedBoard, keyword), [&] { return speed_board(); });
    rows.run(matches_keyword(kw::kSignboard, keyword), [&] { return signboard(); });
    return rows.outcome();
  }

  // Finds "[generale]"; false (code 102) when the file ends first.
  bool general_section() {
    GeneralSearch search = find_general_section(s, in, false);
    if (search.found) return true;
    Diagnostic& d = set_error(s, Fault::kNoGeneralSection);
    if (!search.near.empty()) d.notes.push_back(std::move(search.near));
    return false;
  }

  bool general_pass() {
    SkippedFields skipped(FilePart::kLineGeneral);
    return general_loop(skipped);
  }

  // Returns false when the pass stopped at a fault.
  bool general_loop(SkippedFields& skipped) {
    while (!in.at_end()) {
      s.text_line = in.read_keyword();
      if (in.at_end()) break;
      for (int i = 0; i < 10; ++i) {
        if (contains(s.text_line, "-")) s.text_line = in.read_keyword();
      }
      bool matched = false;
      const Outcome outcome = read_entry(
          s, st, in, [&] { return general_entry(matched); },
          [&](const ReadFailure* failure) { read_on(Stage::kGeneral, failure, skipped, matched); });
      if (outcome == Outcome::kLeftOut) continue;
      if (outcome == Outcome::kStop) return false;
      in.end_entry();
      if (general_entry_read(skipped, matched)) break;
    }
    return true;
  }

  // After a field of the general section: true when it was the next section's line, which
  // ends the general section.
  bool general_entry_read(SkippedFields& skipped, bool matched) {
    const std::string_view f = s.text_line;
    const std::size_t first = f.find_first_not_of(' ');
    const bool separator = first != std::string_view::npos && f[first] == '-';
    if (!separator && contains(f, "[") && contains(f, "]")) return true;
    const ReadPosition& at = s.diagnostics.where;
    if (matched) {
      skipped.entry_read(at.entry.line, at);
    } else {
      skipped.skipped(s, f);
    }
    return false;
  }

  // The body: the chainage entries put in order, then the entries up to the end of the file.
  // Returns false when the pass stopped at a fault.
  bool body() {
    progressive_ordina(s);
    s.mountain_count = 0;
    st.signboard_slot = kFirstSignboardSlot;
    if (s.write_geometry != 0) start_route(s, st.route);
    SkippedFields skipped(FilePart::kLineBody);
    return body_pass(skipped);
  }

  bool body_pass(SkippedFields& skipped) {
    const Outcome outcome = read_entries(
        s, st, in, skipped,
        [&](std::string_view field, bool& matched) { return body_entry(field, matched); },
        [&](std::string_view field) {
          if (matches_keyword(kw::kCurve, field)) {
            skipped.quiet_line(
                s.diagnostics.where);  // a curve without a route plan, values and all
          } else {
            skipped.skipped(s, field);
          }
        },
        [&](const ReadFailure* failure, const SkippedFields& after) {
          read_on(Stage::kBody, failure, after, true);
        });
    return outcome != Outcome::kStop;
  }

  // After the body: the last gradient carried to the end of the track, and the route plan
  // run on straight to its end.
  void tail() {
    if (!s.has_track_table()) no_track_cell(s, 0);
    do write_gradient(std::nullopt);
    while (st.gradient_fill < s.cell_count - 2);
    if (s.write_geometry != 0) extend_route(s, st.route);
  }

  enum class Stage { kGeneral, kBody };

  // The first fault of the build: a copy reads on from the entry after it, to the end of the
  // line file and then through the train file (read_on.h). Without a track nothing after
  // the general section can be placed, so the copy stops there.
  void read_on(Stage stage, const ReadFailure* failure, SkippedFields skipped, bool matched) {
    ReadOnCopy copy(s, st);
    FieldReader reader(in, &copy.s.diagnostics.where);
    LinePass pass{{copy.s, copy.st, reader}};
    const std::string file = copy.s.diagnostics.where.file;
    copy.read_on(st, [&] {
      const bool track = while_reading(copy.s, [&] {
        bool general_ended = stage == Stage::kBody;
        leave_out_first_fault(copy.s, reader, failure);
        if (failure == nullptr && !general_ended) {
          general_ended = pass.general_entry_read(skipped, matched);
        }
        if (!general_ended) pass.general_loop(skipped);
        if (!copy.s.has_track_table()) return false;
        if (stage == Stage::kGeneral) {
          pass.body();
        } else {
          pass.body_pass(skipped);
        }
        return true;
      });
      copy.s.diagnostics.where = {};
      copy.s.diagnostics.where.file = file;
      if (!track) return;
      pass.tail();
      read_train_file(copy.s, copy.st);
    });
  }
};

}  // namespace

bool read_line_file(Scenario& s, ReaderState& st) {
  s.station_table[kScenarioSlot].name = s.stored_scenario_name;
  s.station_table[kLineSlot].name = s.stored_line_name;
  const std::string path = line_file_name(s);
  // Anything but an ordinary file of that name is no line file (code 101); the fault says
  // what stands there instead. A name the system cannot look up is a platform failure.
  // A text handed over by an editor stands for the file, whether the file exists or not.
  const bool handed_over = s.source_texts.contains(path);
  if (const FileKind kind = handed_over ? FileKind::kOrdinary : file_kind(path);
      kind != FileKind::kOrdinary) {
    Diagnostic& d = set_error(s, Fault::kNoLineFile);
    if (kind == FileKind::kMissing) {
      d.message = "line file " + echoed(path) + " not found";
      for (std::string& note : missing_line_file_notes(s)) d.notes.push_back(std::move(note));
    } else {
      d.message = "no line file " + echoed(path) + ": " + not_ordinary_file_reason(kind);
    }
    return false;
  }
  s.diagnostics.where = {};
  s.diagnostics.where.file = path;
  FieldReader in(read_source(s, path), &s.diagnostics.where);
  LinePass pass{{s, st, in}};
  const bool go_on = while_reading(
      s, [&] { return pass.general_section() && pass.general_pass() && pass.body(); });
  // What follows belongs to the file but to none of its lines.
  s.diagnostics.where = {};
  s.diagnostics.where.file = path;
  delete_source(s, path);
  if (!go_on) return false;
  pass.tail();
  return true;
}

}  // namespace sb
