#include "driver/decompile_tables.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <queue>

#include "compiler/protection.h"
#include "model/scenario.h"
#include "reader/operations.h"

namespace sb {
namespace {

constexpr std::int64_t kCell = 50;
constexpr std::size_t kWarningCells = 24;  // the warning board stands 1200 m before the start

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The chainage an entry gives for a point object in cell n, and for a running value that
// starts at cell n.
std::int64_t point_at(std::size_t n) {
  return (static_cast<std::int64_t>(n) - 1) * kCell;
}
std::int64_t layer_at(std::size_t n) {
  return static_cast<std::int64_t>(n) * kCell;
}

using Triple = std::array<std::int32_t, 3>;

// The three "progressiva chilometrica" entries that the reader puts back into the order the
// station file holds: each assignment of the stored triples to "tre", "due" and "uno" is tried
// (the stored order first), with the 100 m the reader adds to a second value taken off again.
void recover_chainage(const std::vector<StationRecord>& stations, LineEntries& line) {
  std::array<Triple, 3> stored;  // slots 81, 82, 83
  std::array<Triple, 3> raw;
  for (int k = 0; k < 3; ++k) {
    const StationRecord& r = stations[static_cast<std::size_t>(kChainageThreeSlot + k)];
    stored[k] = {r.start_m, r.end_m, r.position_m};
    raw[k] = stored[k];
    if (raw[k][2] == 1) raw[k][1] = static_cast<std::int32_t>(std::int64_t{raw[k][1]} - 100);
  }
  std::array<int, 3> order = {0, 1, 2};  // the stored triple read as "tre", "due", "uno"
  do {
    Scenario s;
    for (int k = 0; k < 3; ++k) {
      StationRecord& r = s.station_table[static_cast<std::size_t>(kChainageThreeSlot + k)];
      const Triple& t = raw[static_cast<std::size_t>(order[k])];
      r.start_m = t[0];
      r.end_m = t[1];
      r.position_m = t[2];
    }
    progressive_ordina(s);
    bool same = true;
    for (int k = 0; k < 3; ++k) {
      const StationRecord& r = s.station_table[static_cast<std::size_t>(kChainageThreeSlot + k)];
      same = same && Triple{r.start_m, r.end_m, r.position_m} == stored[k];
    }
    if (same) break;
  } while (std::next_permutation(order.begin(), order.end()));
  // Without a match the loop ends on the stored order again, and the check reports it.
  // LineEntries keeps "uno", "due", "tre"; `order` gives "tre", "due", "uno".
  for (int k = 0; k < 3; ++k) {
    const Triple& t = raw[static_cast<std::size_t>(order[k])];
    line.chainage[static_cast<std::size_t>(2 - k)] = {t[0], t[1], t[2]};
  }
}

// A running value that the reader fills from one entry to the next, up to cell
// `cell_count` - 3: one entry at each change (and at 0 when the first value is not the one the
// reader starts with).
template <typename Value>
std::vector<PlacedValue> running_values(const std::vector<TrackCell>& track, Value value,
                                        bool always_first, std::int64_t start) {
  std::vector<PlacedValue> entries;
  const std::size_t cell_count = track.size() - 1;
  const std::size_t last = cell_count >= 3 ? cell_count - 3 : 0;
  std::int64_t previous = start;
  for (std::size_t n = 0; n <= last; ++n) {
    const std::int64_t v = value(track[n]);
    if (n == 0 ? (always_first || v != previous) : v != previous) {
      entries.push_back({layer_at(n), v});
    }
    previous = v;
  }
  return entries;
}

// Mountain-side stretches: each run of cells with one non-zero type. A stretch whose
// entry would start within 150 m of the end of the entry read before it gets type 3 from the
// reader: another type is then written after an entry that ends before the route (one that
// places nothing).
void recover_stretches(const std::vector<TrackCell>& track, LineEntries& line) {
  std::int64_t previous_end = 0;
  bool first = true;
  for (std::size_t n = 0; n < track.size();) {
    const std::uint8_t t = track[n].mountain_side;
    if (t == 0) {
      ++n;
      continue;
    }
    std::size_t end = n;
    while (end + 1 < track.size() && track[end + 1].mountain_side == t) ++end;
    bool markers = false;
    for (std::size_t c = n; c <= end; ++c) markers = markers || track[c].kind == kMountainMarker;
    StretchEntry e;
    e.inizio = layer_at(n);
    e.fine = layer_at(end + 1);
    e.tipo = markers ? t + 10 : (t > 10 ? t - 256 : t);
    if (!first && t != 3 && e.inizio - previous_end <= 150) {
      line.stretches.push_back({0, -1000, 0});
    }
    line.stretches.push_back(e);
    previous_end = e.fine;
    first = false;
    n = end + 1;
  }
}

std::array<std::int64_t, 2> packed_pair(std::int64_t v, std::int64_t unit) {
  const std::int64_t high = floor_div(v, unit);
  return {high, v - high * unit};
}

// A speed board's packed pair, s x 20 + d / 5: the same speed on both sides where that
// gives the value (as boards are usually written), else d below 100.
std::array<std::int64_t, 2> speed_pair(std::int64_t v) {
  if (v * 5 % 101 == 0) {
    const std::int64_t both = v * 5 / 101;
    if (both % 5 == 0) return {both, both};
  }
  const auto pair = packed_pair(v, 20);
  return {pair[0], pair[1] * 5};
}

SignalEntry signal_entry(std::size_t n, const TrackCell& c) {
  SignalEntry e;
  e.values[0] = point_at(n);
  const auto code_part = packed_pair(c.value4, 10);  // rapp, sx * 3 + dx
  std::int64_t sx = code_part[1] / 3;
  if (c.signal_time != 0) sx = 2;
  e.values[1] = sx;
  e.values[5] = code_part[0];
  e.values[6] = code_part[1] - sx * 3;
  const std::int16_t v[3] = {c.value1, c.value2, c.value3};
  for (int k = 0; k < 3; ++k) {
    const auto sd = packed_pair(v[k], 10);
    e.values[static_cast<std::size_t>(2 + k)] = sd[0];
    e.values[static_cast<std::size_t>(7 + k)] = sd[1];
  }
  const std::int64_t t = c.signal_time;
  // The reader turns 1 to 100 into 101; 256 more gives the same low byte untouched.
  e.values[10] = t == 0 || t > 100 ? t : t + 256;
  return e;
}

StationEntry station_entry(const StationRecord& r) {
  StationEntry e;
  const std::int64_t p = r.position_m;
  std::int64_t length = 0;
  if (is_terminus_kind(r.kind) || is_two_sided_kind(r.kind)) {
    length = p - r.start_m;
  } else {
    length = 2 * (p - r.start_m);
  }
  // The first station's value 6 is cleared after it has lengthened the platform by 50 m.
  std::int64_t param_c = r.param_c;
  if (!is_terminus_kind(r.kind) && !is_two_sided_kind(r.kind) && param_c == 0 &&
      std::int64_t{r.end_m} - p - length / 2 == kCell) {
    param_c = 1;
  }
  const std::int64_t t = r.time_s;
  e.values = {p,         r.kind,    length,        r.param_a, r.param_b, param_c,
              r.param_d, r.param_e, r.param_f,     r.param_g, r.param_h, r.param_i,
              r.param_j, t / 3600,  t % 3600 / 60, t % 60};
  e.name = r.name;
  return e;
}

// The approach-mark cells a station writes, with their marks.
std::vector<std::pair<std::size_t, std::uint8_t>> station_marks(const StationRecord& r) {
  std::vector<std::pair<std::size_t, std::uint8_t>> marks;
  if (!marks_track(r.kind) || is_terminus_kind(r.kind)) return marks;
  for (int k = 1; k <= 4; ++k) {
    const double q = static_cast<double>(r.end_m) / kCell - k - 1;
    if (q > 1) {
      marks.emplace_back(static_cast<std::size_t>(std::nearbyint(q)),
                         static_cast<std::uint8_t>(80 + k));
    }
  }
  return marks;
}

std::vector<std::pair<std::size_t, std::uint8_t>> signal_marks(const SignalEntry& e) {
  std::vector<std::pair<std::size_t, std::uint8_t>> marks;
  const std::int64_t n = e.values[0] / kCell + 1;
  for (int k = 1; k <= 4; ++k) {
    if (n - 2 * k < 0) continue;
    marks.emplace_back(static_cast<std::size_t>(n - 2 * k),
                       static_cast<std::uint8_t>((e.values[1] * 3 + e.values[6]) * 10 + k));
  }
  return marks;
}

// The order of the stations and signals: stations in the order of their slots, and wherever
// two of them write an approach mark into the same cell, the one whose mark stands there
// last. Stations come first where nothing else decides, then the signals by position.
void order_marked_entries(const std::vector<TrackCell>& track,
                          const std::vector<StationRecord>& stations,
                          const std::vector<std::size_t>& station_slots, TrainEntries& train) {
  const std::size_t ns = train.stations.size();
  const std::size_t count = ns + train.signals.size();
  std::vector<std::vector<std::size_t>> after(count);
  std::vector<int> waiting(count, 0);
  auto edge = [&](std::size_t from, std::size_t to) {
    after[from].push_back(to);
    ++waiting[to];
  };
  for (std::size_t k = 1; k < ns; ++k) edge(k - 1, k);
  std::map<std::size_t, std::vector<std::pair<std::size_t, std::uint8_t>>> writers;
  for (std::size_t k = 0; k < ns; ++k) {
    for (const auto& [cell, mark] : station_marks(stations[station_slots[k]])) {
      writers[cell].emplace_back(k, mark);
    }
  }
  for (std::size_t k = 0; k < train.signals.size(); ++k) {
    for (const auto& [cell, mark] : signal_marks(train.signals[k])) {
      writers[cell].emplace_back(ns + k, mark);
    }
  }
  for (const auto& [cell, list] : writers) {
    if (list.size() < 2 || cell >= track.size()) continue;
    const std::uint8_t seen = track[cell].approach_mark;
    for (const auto& [loser, lost] : list) {
      if (lost == seen) continue;
      for (const auto& [winner, won] : list) {
        if (won == seen) edge(loser, winner);
      }
    }
  }
  // Kahn's order, stations first, then by position; entries caught in a cycle follow in the
  // same preference (the check then reports the marks that differ).
  auto key = [&](std::size_t k) {
    return k < ns ? std::pair<int, std::int64_t>{0, static_cast<std::int64_t>(k)}
                  : std::pair<int, std::int64_t>{1, train.signals[k - ns].values[0]};
  };
  auto later = [&](std::size_t a, std::size_t b) { return key(a) > key(b); };
  std::priority_queue<std::size_t, std::vector<std::size_t>, decltype(later)> ready(later);
  std::vector<bool> done(count, false);
  for (std::size_t k = 0; k < count; ++k) {
    if (waiting[k] == 0) ready.push(k);
  }
  while (train.marked_order.size() < count) {
    if (ready.empty()) {
      std::size_t best = count;
      for (std::size_t k = 0; k < count; ++k) {
        if (!done[k] && (best == count || key(k) < key(best))) best = k;
      }
      waiting[best] = 0;
      ready.push(best);
    }
    const std::size_t k = ready.top();
    ready.pop();
    if (done[k]) continue;
    done[k] = true;
    train.marked_order.push_back({k < ns, k < ns ? k : k - ns});
    for (std::size_t next : after[k]) {
      if (--waiting[next] == 0 && !done[next]) ready.push(next);
    }
  }
}

void recover_slow_orders(const std::vector<TrackCell>& track, TrainEntries& train) {
  std::vector<bool> used(track.size(), false);
  for (std::size_t n = 0; n < track.size(); ++n) {
    const TrackCell& start = track[n];
    if (start.kind != kSlowOrderStart) continue;
    const auto ends_it = [&](std::size_t c) {
      const TrackCell& e = track[c];
      return e.kind == kSlowOrderEnd && !used[c] && e.value1 == start.value1 &&
             e.value2 == start.value2 && e.value3 == start.value3;
    };
    // Its end is the first free end of the same values after it; an order whose length was
    // written negative ends before it, at the nearest such end before it.
    std::size_t end = n;
    for (std::size_t c = n + 1; c < track.size() && end == n; ++c) {
      if (ends_it(c)) end = c;
    }
    for (std::size_t c = n; c-- > 0 && end == n;) {
      if (ends_it(c)) end = c;
    }
    if (end != n) used[end] = true;
    SlowOrderEntry e;
    const std::int64_t x = point_at(n);
    bool prewarning = false;
    if (x > 1500 && n >= kWarningCells + 4) {
      prewarning = true;
      for (std::size_t k = 0; k < 4; ++k) {
        const TrackCell& c = track[n - kWarningCells - 1 - k];
        prewarning =
            prewarning && c.kind == kPreWarning && c.value1 == static_cast<std::int16_t>(k + 1);
      }
    }
    e.values = {
        x,           start.value1, layer_at(end) - layer_at(n), start.value3, prewarning ? 1 : 0,
        start.value2};
    train.slow_orders.push_back(e);
  }
}

}  // namespace

DecompiledEntries recover_entries(const std::vector<TrackCell>& stored_track,
                                  const std::vector<StationRecord>& stations,
                                  const AuthorPoints& author_points) {
  DecompiledEntries d;
  LineEntries& line = d.line;
  TrainEntries& train = d.train;
  // The header cell's first two values are the stamped marker and code.
  std::vector<TrackCell> track = stored_track;
  if (track.size() > 1) track[1].value1 = track[1].value2 = 0;

  const StationRecord& data = stations[kTrainDataSlot];
  const StationRecord& scenario = stations[kScenarioSlot];
  const StationRecord& line_slot = stations[kLineSlot];
  line.route_length = data.end_m;
  recover_chainage(stations, line);
  line.background = {scenario.start_m, scenario.position_m, scenario.end_m};
  line.repetition = {line_slot.start_m, line_slot.end_m};
  line.repetition_codes = line_slot.position_m == 9 ? '9' : '4';
  train.cars = data.position_m;
  train.braked_mass = data.start_m;
  train.sand = line_slot.param_d;
  train.clock = {line_slot.param_g, line_slot.param_h, line_slot.param_i};

  line.gradients = running_values(
      track, [](const TrackCell& c) { return std::int64_t{c.gradient} - 100; }, false, 0);
  recover_stretches(track, line);
  train.speed = running_values(
      track, [](const TrackCell& c) { return std::int64_t{c.speed_limit} * 5; }, true, 0);
  train.adhesion = running_values(
      track, [](const TrackCell& c) { return std::int64_t{c.adhesion}; }, true, 0);

  std::vector<std::pair<std::int16_t, std::size_t>> boards;  // slot, cell
  for (std::size_t n = 0; n < track.size(); ++n) {
    const TrackCell& c = track[n];
    switch (c.kind) {
      case kSpeedBoard: {
        SpeedBoardEntry e;
        e.position = point_at(n);
        const std::int16_t v[3] = {c.value1, c.value2, c.value3};
        for (int k = 0; k < 3; ++k) {
          const auto pair = speed_pair(v[k]);
          e.values[static_cast<std::size_t>(k)] = pair[0];
          e.values[static_cast<std::size_t>(4 + k)] = pair[1];
        }
        const auto stripes = packed_pair(c.value4, 10);
        e.values[3] = stripes[0];
        e.values[7] = stripes[1];
        line.speed_boards.push_back(e);
        break;
      }
      case kSignboard:
        boards.emplace_back(c.value1, n);
        break;
      case kSignal:
        train.signals.push_back(signal_entry(n, c));
        break;
      case kAbbattimentoNoValue:
        train.abbattimenti.push_back({layer_at(n), 0});
        break;
      case kAbbattimento:
        if (c.value1 != kGeneratedPointValue || author_points.contains(n)) {
          const std::int64_t w = c.value1 > 0 ? c.value1 : c.value1 + 65536;
          train.abbattimenti.push_back({layer_at(n), w});
        }
        break;
      default:
        break;
    }
  }
  // Signboards take slots 80, 79, ... in the order they are read.
  std::sort(boards.begin(), boards.end(),
            [](const auto& a, const auto& b) { return a.first > b.first; });
  std::set<std::size_t> board_slots;
  for (const auto& [slot, n] : boards) {
    const auto index = static_cast<std::size_t>(slot);
    line.signboards.push_back(
        {point_at(n), index < stations.size() ? stations[index].name : std::string()});
    board_slots.insert(index);
  }
  recover_slow_orders(track, train);

  // Stations: slots 1 onwards, up to the last one in use below the signboards' slots.
  std::size_t last_station = 0;
  for (std::size_t k = 1; k < static_cast<std::size_t>(kFirstSignboardSlot); ++k) {
    if (board_slots.contains(k)) break;
    if (!(stations[k] == StationRecord{})) last_station = k;
  }
  std::vector<std::size_t> station_slots;
  for (std::size_t k = 1; k <= last_station; ++k) {
    train.stations.push_back(station_entry(stations[k]));
    station_slots.push_back(k);
  }
  order_marked_entries(track, stations, station_slots, train);
  return d;
}

}  // namespace sb
