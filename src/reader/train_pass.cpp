// The train pass: the train's general data, the speed and adhesion lists, signals, slow
// orders, "abbattimento" points and stations.
#include "model/file_names.h"
#include "model/rounding.h"
#include "reader/field_reader.h"
#include "reader/operations.h"
#include "reader/passes.h"
#include "reader/read_failure.h"
#include "reader/reader_support.h"
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

  std::int32_t cells() const { return s.cell_count; }

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
    const std::int32_t a = in.read_number();
    const std::int32_t v = in.read_number();
    if (!range_ok(s, a)) return Outcome::kEndPass;
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
    const std::int32_t a = in.read_number();
    const std::int32_t h = in.read_number();
    if (!range_ok(s, a)) return Outcome::kEndPass;
    const std::int32_t e = round_index(a / 50.0);
    if (e > 0) {
      do write_adhesion();
      while (adhesion_cell < e);
    }
    st.running_adhesion = h;
    return Outcome::kGoOn;
  }

  Outcome signal_entry() {
    std::int32_t v[11];
    for (std::int32_t& value : v) value = in.read_number();
    if (!range_ok(s, v[0])) return Outcome::kEndPass;
    memo_segnale(s, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]);
    return stop_on_fault(v[0]);
  }

  Outcome slow_order_entry() {
    std::int32_t v[6];
    for (std::int32_t& value : v) value = in.read_number();
    if (!range_ok(s, v[0])) return Outcome::kEndPass;
    memo_rallentamento(s, v[0], v[1], v[2], v[3], v[4], v[5]);
    return stop_on_fault(v[0]);
  }

  // After a signal or a slow order, any fault recorded so far (even a range fault left by the
  // line pass) stops the pass, with the entry's position.
  Outcome stop_on_fault(std::int32_t position) {
    if (s.error_code <= 0) return Outcome::kGoOn;
    set_error_position(s, position);
    return Outcome::kStop;
  }

  Outcome abbattimento_entry() {
    const std::int32_t x = in.read_number();
    const std::int32_t w = in.read_number();
    if (!range_ok(s, x)) return Outcome::kEndPass;
    TrackCell& cell = track_cell(s, round_index(x / 50.0));
    if (!cell.is_free()) {
      set_error(s, 7, x);
      return Outcome::kStop;
    }
    if (w > 0) {
      cell.kind = kAbbattimento;
      cell.value1 = low16(w);
    } else {
      cell.kind = kAbbattimentoNoValue;
    }
    return Outcome::kGoOn;
  }

  // Every test whose word occurs takes effect, in this order, each reading its own values.
  Outcome entry(std::string_view f) {
    auto& st84 = s.station_table[kTrainDataSlot];
    auto& st86 = s.station_table[kLineSlot];
    if (contains_ignoring_case(f, "frenata") && contains_ignoring_case(f, "massa")) {
      st84.start_m = in.read_number();
    }
    if (contains_ignoring_case(f, "vetture")) st84.position_m = in.read_number();
    Outcome o = Outcome::kGoOn;
    if (contains_ignoring_case(f, "velocit") && (o = speed_entry()) != Outcome::kGoOn) return o;
    if (contains_ignoring_case(f, "aderenza") && (o = adhesion_entry()) != Outcome::kGoOn) {
      return o;
    }
    if (contains_ignoring_case(f, "orologio")) {
      st86.param_g = fit_i16(in.read_number(), "clock value");
      st86.param_h = fit_i16(in.read_number(), "clock value");
      st86.param_i = fit_i16(in.read_number(), "clock value");
    }
    if (contains_ignoring_case(f, "sabbia")) st86.param_d = fit_i16(in.read_number(), "sand value");
    if (contains_ignoring_case(f, "segnale") && (o = signal_entry()) != Outcome::kGoOn) return o;
    if (contains_ignoring_case(f, "rallentamento") && (o = slow_order_entry()) != Outcome::kGoOn) {
      return o;
    }
    if (contains_ignoring_case(f, "abbattimento") && (o = abbattimento_entry()) != Outcome::kGoOn) {
      return o;
    }
    if (contains_ignoring_case(f, "stazione")) {
      bool ends_at_range = false;
      if (!read_station_entry(s, in, station_slot, st.signboard_slot, ends_at_range)) {
        return ends_at_range ? Outcome::kEndPass : Outcome::kStop;
      }
    }
    return Outcome::kGoOn;
  }

  // Returns false when the pass stopped at a fault.
  bool entries() {
    while (!in.at_end()) {
      const std::string_view field = in.read_field();
      if (contains_ignoring_case(field, "[generale]")) break;
    }
    speed_cell = 0;
    adhesion_cell = 0;
    station_slot = 1;
    while (!in.at_end()) {
      std::string_view field = in.read_field();
      if (in.at_end()) break;
      for (int i = 0; i < 2 && contains(field, "-"); ++i) {
        field = in.read_field();
        if (in.at_end()) return true;
      }
      s.text_line = field;
      const Outcome o = entry(field);
      if (o == Outcome::kStop) return false;
      if (o == Outcome::kEndPass) break;
    }
    return true;
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
        set_error(s, 2);
        break;
      }
    }
  }
};

}  // namespace

void read_train_file(Scenario& s, ReaderState& st) {
  const std::string path = train_file_name(s);
  s.fault_log.where = {path, 0};
  FieldReader in(read_source(path), &s.fault_log.where);
  TrainPass pass{s, st, in};
  const bool go_on = pass.entries();
  delete_source(s, path);
  if (!go_on) return;
  s.fault_log.where = {};
  pass.finish();
}

}  // namespace sb
