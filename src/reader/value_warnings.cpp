#include "reader/value_warnings.h"

#include <cstdio>

#include "model/speed_board_packing.h"
#include "reader/reader_support.h"

namespace sb {
namespace {

constexpr int kShortestSlowOrder = 50;  // metres: a shorter one may end in its start cell

void warn_value(Scenario& s, Warning w, int value, std::string message) {
  warn(s, w, std::move(message), value_spot(s.diagnostics.where, value));
}

void check_low_bits(Scenario& s, std::int64_t v, int value, const std::string& what,
                    std::int64_t low, std::int64_t high, std::int64_t stored, const char* field) {
  if (v >= low && v <= high) return;
  warn_value(s, Warning::kValueWrapped, value,
             what + " " + std::to_string(v) + " does not fit the " + field + " it is stored in (" +
                 std::to_string(low) + " to " + std::to_string(high) +
                 "): it keeps its low bits "
                 "and is stored as " +
                 std::to_string(stored));
}

// "09:15:00" for a number of seconds (the hours may pass 23).
std::string clock_text(std::int64_t seconds) {
  const bool negative = seconds < 0;
  const std::int64_t t = negative ? -seconds : seconds;
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%s%02lld:%02lld:%02lld", negative ? "-" : "",
                static_cast<long long>(t / 3600), static_cast<long long>(t / 60 % 60),
                static_cast<long long>(t % 60));
  return buffer;
}

// "the station at 800 m", "the stations at 800 m and 1600 m", "... 800 m, 1600 m and 3 more".
std::string listed(const std::vector<std::string>& items) {
  constexpr std::size_t kShown = 3;
  std::string out;
  const std::size_t shown = items.size() > kShown + 1 ? kShown : items.size();
  for (std::size_t i = 0; i < shown; ++i) {
    if (i > 0) out += i + 1 == shown && shown == items.size() ? " and " : ", ";
    out += items[i];
  }
  if (shown < items.size()) out += " and " + std::to_string(items.size() - shown) + " more";
  return out;
}

}  // namespace

void check_gradient(Scenario& s, std::int64_t g, int value) {
  const std::int64_t stored = std::int64_t{low8(g + 100)} - 100;
  if (stored == g) return;
  warn_value(s, Warning::kValueWrapped, value,
             "the gradient " + std::to_string(g) +
                 " does not fit the byte it is stored in, as the gradient plus 100 (-100 to "
                 "155): it keeps its low bits and is stored as " +
                 std::to_string(stored));
}

void check_low8(Scenario& s, std::int64_t v, int value, const std::string& what) {
  check_low_bits(s, v, value, what, 0, 255, low8(v), "byte");
}

void check_low16(Scenario& s, std::int64_t v, int value, const std::string& what) {
  check_low_bits(s, v, value, what, -32768, 32767, low16(v), "16-bit field");
}

void check_mountain_type(Scenario& s, std::int64_t t, int value) {
  const std::int64_t type = t > 10 ? t - 10 : t;
  if (type >= 0 && type <= 255) return;
  warn_value(s, Warning::kValueWrapped, value,
             "the mountain-side type " + std::to_string(t) +
                 " does not fit the byte it is stored in (0 to 255, or 11 to 265 for a type with "
                 "markers): it keeps its low bits and is stored as type " +
                 std::to_string(low8(type)));
}

void check_range(Scenario& s, std::int64_t v, int value, std::int64_t low, std::int64_t high,
                 const std::string& what, const std::string& why, const char* unit) {
  if (v >= low && v <= high) return;
  warn_value(s, Warning::kValueRange, value,
             what + " " + std::to_string(v) + unit + " is outside " + std::to_string(low) + " to " +
                 std::to_string(high) + unit + ": " + why);
}

void check_speed_board(Scenario& s, const std::int32_t (&v)[8]) {
  bool all_zero = true;
  for (int k = 0; k < 3; ++k) {
    const std::int32_t s_side = v[k];
    const std::int32_t d_side = v[4 + k];
    all_zero = all_zero && s_side == 0 && d_side == 0;
    const auto packed = pack_speeds(s_side, d_side);
    if (!packed) continue;  // the reading fails on it, with its own message
    const SpeedPair back = unpack_speeds(*packed);
    const auto told = [&](int value, std::int32_t written, int read_back, const char* side) {
      if (written == read_back) return;
      warn_value(s, Warning::kValueWrapped, value,
                 "the speed board's " + std::string(side) + "-side speed " +
                     std::to_string(written) + " km/h comes back as " + std::to_string(read_back) +
                     " km/h: its packed value keeps multiples of 5 from 0 to 495 km/h");
    };
    told(2 + k, s_side, back.s_kmh, "s");
    told(6 + k, d_side, back.d_kmh, "d");
  }
  const std::string why =
      "the stripes of both sides are packed as s-side stripes x 10 + d-side stripes, and only "
      "0 to 9 come back as written";
  check_range(s, v[3], 5, 0, 9, "the s-side stripe count", why);
  check_range(s, v[7], 9, 0, 9, "the d-side stripe count", why);
  if (all_zero) {
    warn(s, Warning::kZeroSpeedBoard,
         "every speed of the speed board is 0 km/h: the board shows no speed at all; its values "
         "after the position are three s-side speeds, the s-side stripes, three d-side speeds "
         "and the d-side stripes");
  }
}

void check_time_of_day(Scenario& s, const std::int64_t (&hms)[3], int first,
                       const std::string& what, bool as_seconds) {
  static constexpr const char* kParts[] = {"hour", "minutes", "seconds"};
  static constexpr std::int64_t kLimits[] = {24, 60, 60};
  for (int k = 0; k < 3; ++k) {
    if (hms[k] >= 0 && hms[k] < kLimits[k]) continue;
    std::string message = what + " has the " + kParts[k] + " " + std::to_string(hms[k]) +
                          ", outside 0 to " + std::to_string(kLimits[k] - 1);
    if (as_seconds) {
      message += ": it is stored as " + clock_text((hms[0] * 60 + hms[1]) * 60 + hms[2]) +
                 " after the day's start";
    } else {
      message += ": the simulator's clock starts at a time that does not exist";
    }
    warn_value(s, Warning::kTimeOfDay, first + k, std::move(message));
    return;
  }
}

void check_slow_order_length(Scenario& s, std::int32_t start, std::int32_t length) {
  if (length >= kShortestSlowOrder) return;
  std::string message = "the slow order at " + std::to_string(start) + " m has the length " +
                        std::to_string(length) + " m: ";
  if (length < 0) {
    message += "its end is placed before its start";
  } else {
    message += "it may end in its own start cell, and then the track after it has no end to it";
  }
  message += "; the third value is the slow order's length in metres, at least " +
             std::to_string(kShortestSlowOrder) + ", not its end";
  warn_value(s, Warning::kSlowOrderLength, 3, std::move(message));
}

void check_slow_order_spans(Scenario& s, const std::vector<SlowOrderRead>& orders,
                            std::int32_t stations) {
  for (std::size_t i = 0; i < orders.size(); ++i) {
    const SlowOrderRead& o = orders[i];
    if (o.length < kShortestSlowOrder) continue;  // told already
    const std::int64_t end = std::int64_t{o.start} + o.length;
    std::vector<std::string> across;
    for (std::size_t j = 0; j < orders.size(); ++j) {
      const SlowOrderRead& other = orders[j];
      if (j == i || other.length < kShortestSlowOrder) continue;
      const std::int64_t other_end = std::int64_t{other.start} + other.length;
      // Each overlap is told once, at the later of the two entries.
      if (j > i || other.start > end || o.start > other_end) continue;
      across.push_back("the slow order at " + std::to_string(other.start) + " m (line " +
                       std::to_string(other.line) + ")");
    }
    std::vector<std::string> passed;
    for (std::int32_t slot = 1; slot <= stations && slot < kStationSlots; ++slot) {
      const std::int32_t p = s.station_table[static_cast<std::size_t>(slot)].position_m;
      if (p > o.start && p < end) passed.push_back(std::to_string(p) + " m");
    }
    const bool end_for_length = o.length > o.start && !passed.empty();
    if (across.empty() && passed.size() < 2 && !end_for_length) continue;
    if (!passed.empty()) {
      across.push_back(std::string(passed.size() == 1 ? "the station at " : "the stations at ") +
                       listed(passed));
    }
    std::string message = "the slow order at " + std::to_string(o.start) + " m with the length " +
                          std::to_string(o.length) + " m runs to " + std::to_string(end) +
                          " m, across " + listed(across);
    if (end_for_length) {
      message += ": the third value is its length in metres, not its end (as an end, " +
                 std::to_string(o.length) + " m would make it " +
                 std::to_string(o.length - o.start) + " m long)";
    }
    warn(s, Warning::kSlowOrderSpan, std::move(message), o.length_spot);
  }
}

}  // namespace sb
