// The protection pass of the track compiler: generated "abbattimento" points (kind 12, value
// 180) before signals that stand before a slow-order warning board, in three bands before
// every slow-order start, every 8 cells along a slow order slower than 110, and before the
// first signal within 12 cells after a slow order's end.
#pragma once

#include <cstdint>

#include "model/scenario.h"

namespace sb {

inline constexpr std::int16_t kGeneratedPointValue = 180;

// The smaller of x and y: y when x is greater than y, otherwise x.
template <typename T>
T minimo(const T& x, const T& y) {
  return x > y ? y : x;
}

// Visits cells 1 .. cell_count - 2 in increasing order and adds the points, in place, so a
// point generated for an earlier cell occupies its place when a later one looks for room. A
// point that cannot be placed records `Fault::kNoRoomBeforeSignal`, `kNoRoomBeforeSlowOrder`
// or `kNoRoomAlongSlowOrder` with a position of a cell index
// times 50 and the pass goes on. Every walk and search stops at the table's last cell; a cell
// outside the table is never free. Without a track table there is nothing to do.
void protect_track(Scenario& s);

}  // namespace sb
