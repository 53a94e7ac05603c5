// Ordering of the three kilometric-chainage references (slots 81 "tre", 82 "due", 83 "uno").
#include <array>

#include "reader/operations.h"
#include "reader/reader_support.h"

namespace sb {
namespace {

using Triple = std::array<std::int32_t, 3>;

Triple take(const StationRecord& r) {
  return {r.start_m, r.end_m, r.position_m};
}
void put(StationRecord& r, const Triple& t) {
  r.start_m = t[0];
  r.end_m = t[1];
  r.position_m = t[2];
}

}  // namespace

void progressive_ordina(Scenario& s) {
  const Triple t = take(s.station_table[kChainageThreeSlot]);
  const Triple d = take(s.station_table[kChainageTwoSlot]);
  const Triple u = take(s.station_table[kChainageOneSlot]);
  const Triple zero{0, 0, 0};
  Triple first = zero, second = zero, third = zero;  // for slots 81, 82, 83

  if (static_cast<std::int64_t>(t[0]) + d[0] + u[0] != 0) {
    // The largest first value goes to 81; of the other two the larger goes to 82, with U,
    // then D, then T preferred on a tie.
    auto order_rest = [&](const Triple& top, const Triple& a, const Triple& b) {
      // a is preferred over b on equal first values.
      first = top;
      if (b[0] > a[0]) {
        second = b;
        third = a;
      } else {
        second = a;
        third = b;
      }
    };
    if (t[0] > d[0] && t[0] > u[0]) {
      order_rest(t, u, d);
    } else if (d[0] > t[0] && d[0] > u[0]) {
      order_rest(d, u, t);
    } else if (u[0] > t[0] && u[0] > d[0]) {
      order_rest(u, d, t);
    }
    // Otherwise two or three share the largest value and all nine values become 0.
  } else if (u[1] > 0) {
    first = u;
    second = d;
    third = t;
  } else if (d[1] > 0) {
    first = d;
    second = t;
    third = u;
  } else if (t[1] > 0) {
    first = t;
    second = d;
    third = u;
  }

  for (Triple* r : {&first, &second, &third}) {
    if ((*r)[2] == 1) (*r)[1] = fit_i32(std::int64_t{(*r)[1]} + 100, "chainage second value");
  }
  put(s.station_table[kChainageThreeSlot], first);
  put(s.station_table[kChainageTwoSlot], second);
  put(s.station_table[kChainageOneSlot], third);
}

}  // namespace sb
