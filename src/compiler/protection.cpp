#include "compiler/protection.h"

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <string>

namespace sb {
namespace {

constexpr int kBoardLookBack = 20;
constexpr std::int32_t kLowestBoardSignalCell = 3;
constexpr std::int16_t kFastSlowOrder = 110;
constexpr std::int32_t kPointSpacing = 8;
constexpr std::int32_t kSignalSearchAfterEnd = 12;

struct Band {
  std::int32_t nearest;  // candidates: nearest, nearest + 1, nearest + 2 cells before
  std::int32_t farthest;
};
constexpr Band kBands[] = {{5, 7}, {11, 13}, {18, 20}};

// The highest cell index that the pass may touch: `cell_count`, kept inside the table.
std::int32_t last_cell(const Scenario& s) {
  const auto top = static_cast<std::int64_t>(s.track_table.size()) - 1;
  return static_cast<std::int32_t>(std::min<std::int64_t>(s.cell_count, top));
}

bool in_pass_range(const Scenario& s, std::int64_t c) {
  return c >= 0 && c <= last_cell(s);
}

bool is_free(const Scenario& s, std::int64_t c) {
  return in_pass_range(s, c) && s.track_table[static_cast<std::size_t>(c)].is_free();
}

bool has_kind(const Scenario& s, std::int64_t c, std::uint8_t kind) {
  return in_pass_range(s, c) && s.track_table[static_cast<std::size_t>(c)].kind == kind;
}

// Places a generated point; `c` must be in range (callers test it with is_free first).
void mark(Scenario& s, std::int32_t c) {
  TrackCell& cell = s.track_table[static_cast<std::size_t>(c)];
  cell.kind = kAbbattimento;
  cell.value1 = kGeneratedPointValue;
  record_origin(s, c, "a protection point added for a slow order",
                static_cast<std::int32_t>((std::int64_t{c} - 1) * 50));
}

// "the cell at 5800 to 5850 m holds a signal at 5800 m placed at FILE:LINE".
std::string holder(const Scenario& s, std::int64_t c) {
  return "the cell at " + std::to_string((c - 1) * 50) + " to " + std::to_string(c * 50) +
         " m holds " + origin_of(s, c);
}

// The chainage at which the object in cell c was placed, as its entry gave it.
std::string placed_at(const Scenario& s, std::int64_t c) {
  if (const CellOrigin* o = origin_record(s, c); o != nullptr && o->what[0] != '\0') {
    return std::to_string(o->position) + " m";
  }
  return std::to_string((c - 1) * 50) + " m";
}

// Records a fault of the pass at the source line of the object in cell `cause` (the slow
// order, or its warning board), with a note for each cell that was found taken.
void protection_fault(Scenario& s, Fault fault, std::int32_t position, std::int32_t cause,
                      std::string message, std::initializer_list<std::int64_t> taken) {
  Diagnostic& d = set_error(s, fault, position);
  d.where = origin_spot(s, cause);
  d.message = std::move(message);
  for (const std::int64_t c : taken) {
    if (in_pass_range(s, c)) d.notes.push_back(holder(s, c));
  }
}

// Lowers an existing point to at most the generated value.
void lower(Scenario& s, std::int32_t c) {
  TrackCell& cell = s.track_table[static_cast<std::size_t>(c)];
  cell.value1 = minimo(kGeneratedPointValue, cell.value1);
}

std::int32_t metres(std::int32_t cell) {
  const std::int64_t m = static_cast<std::int64_t>(cell) * 50;
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(m, std::numeric_limits<std::int32_t>::max()));
}

// A warning board at cell i: every signal in the 20 cells before it (not below cell 3) gets a
// point in one of the two cells before the signal, or an existing point there is lowered.
void protect_signals_before_board(Scenario& s, std::int32_t i) {
  for (s.look = 1; s.look <= kBoardLookBack; ++s.look) {
    const std::int32_t c = i - s.look;
    if (c < kLowestBoardSignalCell) break;
    if (!has_kind(s, c, kSignal)) continue;
    if (is_free(s, c - 1)) {
      mark(s, c - 1);
    } else if (is_free(s, c - 2)) {
      mark(s, c - 2);
    } else if (has_kind(s, c - 1, kAbbattimento)) {
      lower(s, c - 1);
    } else if (has_kind(s, c - 2, kAbbattimento)) {
      lower(s, c - 2);
    } else {
      protection_fault(s, Fault::kNoRoomBeforeSignal, metres(c), i,
                       "no free cell for the protection point of the signal at " + placed_at(s, c) +
                           ", which stands within 1000 m before the "
                           "warning board of the slow order at " +
                           placed_at(s, i),
                       {c - 1, c - 2});
    }
  }
}

// A slow-order start at cell i: one point in each band of three cells before it that lies
// wholly above cell 0.
void protect_bands_before_start(Scenario& s, std::int32_t i) {
  for (const Band& band : kBands) {
    if (i <= band.farthest) continue;
    bool placed = false;
    for (std::int32_t back = band.nearest; back <= band.farthest && !placed; ++back) {
      if (is_free(s, i - back)) {
        mark(s, i - back);
        placed = true;
      }
    }
    if (!placed) {
      protection_fault(s, Fault::kNoRoomBeforeSlowOrder, metres(i), i,
                       "no free cell for a protection point " + std::to_string(band.nearest * 50) +
                           " to " + std::to_string(band.farthest * 50) +
                           " m before the start of the slow order at " + placed_at(s, i),
                       {i - band.nearest, i - band.nearest - 1, i - band.farthest});
    }
  }
}

// Walks from the start cell i to the end of the slow order (the first kind-2 cell after it,
// or the table's last cell), placing a point every 8 cells. Leaves `look` on the end cell.
void protect_along_slow_order(Scenario& s, std::int32_t i) {
  const std::int32_t last = last_cell(s);
  s.counter = 0;
  s.look = i;
  for (;;) {
    ++s.look;
    ++s.counter;
    if (s.counter == kPointSpacing) {
      if (is_free(s, s.look)) {
        mark(s, s.look);
        s.counter = 0;
      } else if (is_free(s, s.look - 1)) {
        mark(s, s.look - 1);
        s.counter = 1;
      } else if (is_free(s, s.look + 1)) {
        mark(s, s.look + 1);
        s.counter = -1;
      } else {
        protection_fault(s, Fault::kNoRoomAlongSlowOrder, metres(s.look), i,
                         "no free cell for a protection point along the slow order at " +
                             placed_at(s, i) + ", near " + std::to_string((s.look - 1) * 50) + " m",
                         {s.look - 1, s.look, s.look + 1});
      }
    }
    if (has_kind(s, s.look, kSlowOrderEnd) || s.look >= last) break;
  }
}

// For a slow order that gets no points along it: the end cell found by the same walk, so the
// signal search never depends on what an earlier step left in `look`.
void find_slow_order_end(Scenario& s, std::int32_t i) {
  const std::int32_t last = last_cell(s);
  s.look = i;
  do {
    ++s.look;
  } while (!has_kind(s, s.look, kSlowOrderEnd) && s.look < last);
}

// The first signal among the end cell `look` and the 12 cells after it gets a point in the
// cell before it, or the one before that.
void protect_signal_after_end(Scenario& s, std::int32_t i) {
  const std::int32_t limit = std::min(s.look + kSignalSearchAfterEnd, last_cell(s));
  s.counter = 0;
  for (s.scan = s.look; s.scan <= limit; ++s.scan) {
    if (has_kind(s, s.scan, kSignal)) {
      s.counter = s.scan - 1;
      break;
    }
  }
  if (s.counter <= 0) return;
  if (is_free(s, s.counter)) {
    mark(s, s.counter);
  } else if (is_free(s, s.counter - 1)) {
    mark(s, s.counter - 1);
  } else {
    protection_fault(s, Fault::kNoRoomAlongSlowOrder, metres(s.look), i,
                     "no free cell for the protection point of the signal at " +
                         placed_at(s, s.counter + 1) + ", after the end of the slow order at " +
                         placed_at(s, i),
                     {s.counter, s.counter - 1});
  }
}

void protect_slow_order(Scenario& s, std::int32_t i) {
  protect_bands_before_start(s, i);
  if (s.track_table[static_cast<std::size_t>(i)].value1 < kFastSlowOrder) {
    protect_along_slow_order(s, i);
  } else {
    find_slow_order_end(s, i);
  }
  protect_signal_after_end(s, i);
}

}  // namespace

void protect_track(Scenario& s) {
  if (!s.has_track_table()) return;
  const std::int32_t last_visited = last_cell(s) - 2;
  for (s.cell_index = 1; s.cell_index <= last_visited; ++s.cell_index) {
    const std::int32_t i = s.cell_index;
    const std::uint8_t kind = s.track_table[static_cast<std::size_t>(i)].kind;
    if (kind == kWarningBoard) {
      protect_signals_before_board(s, i);
    } else if (kind == kSlowOrderStart) {
      protect_slow_order(s, i);
    }
  }
}

}  // namespace sb
