// Warnings about values that are read without a fault but that the compiled files do not keep
// as written, or that mean nothing the simulator can use. Each points at the value's field
// (`value`, from 1, of the entry being read); none changes what is stored.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/scenario.h"

namespace sb {

// A gradient g, stored as the byte g + 100: -100 to 155 come back as written.
void check_gradient(Scenario& s, std::int64_t g, int value);

// A value stored in a field that keeps its low 8 bits (0 to 255) or its low 16 bits (-32768
// to 32767); `what` names it ("the adhesion").
void check_low8(Scenario& s, std::int64_t v, int value, const std::string& what);
void check_low16(Scenario& s, std::int64_t v, int value, const std::string& what);

// A mountain-side type t: above 10, type t - 10 with markers; stored as a byte.
void check_mountain_type(Scenario& s, std::int64_t t, int value);

// A value stored as written but outside `low` to `high`, the range its field is read with;
// `why` says what the simulator makes of it.
void check_range(Scenario& s, std::int64_t v, int value, std::int64_t low, std::int64_t high,
                 const std::string& what, const std::string& why, const char* unit = "");

// The eight values of a speed board after its position: three s-side speeds, the s-side
// stripes, three d-side speeds, the d-side stripes.
void check_speed_board(Scenario& s, const std::int32_t (&v)[8]);

// A time of day as hours, minutes and seconds, values `first` to `first` + 2; `what` names it
// ("the clock"), `stored` says how it is kept, when it is kept as one number of seconds.
void check_time_of_day(Scenario& s, const std::int64_t (&hms)[3], int first,
                       const std::string& what, bool as_seconds);

// A slow order read at `start` with `length` (its third value), for the checks that need the
// whole train file.
struct SlowOrderRead {
  std::int32_t start = 0;
  std::int32_t length = 0;
  std::int64_t line = 0;
  SourceSpot length_spot;
};

// A slow order's length: below 50 m it may end in its own start cell.
void check_slow_order_length(Scenario& s, std::int32_t start, std::int32_t length);

// After the train file: a slow order that runs across another one, across two or more stations,
// or, longer than its position, past a station (its end written as its length). `stations` is
// the number of station slots filled, from slot 1.
void check_slow_order_spans(Scenario& s, const std::vector<SlowOrderRead>& orders,
                            std::int32_t stations);

}  // namespace sb
