#include "compiler/protection.h"

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <string>

#include "model/cell_geometry.h"

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
                static_cast<std::int32_t>(point_chainage(c)));
}

// "the cell at 5800 to 5850 m holds a signal at 5800 m placed at FILE:LINE".
std::string holder(const Scenario& s, std::int64_t c) {
  return "the cell at " + cell_range(c) + " holds " + origin_of(s, c);
}

// The chainage at which the object in cell c was placed, as its entry gave it.
std::string placed_at(const Scenario& s, std::int64_t c) {
  if (const CellOrigin* o = origin_record(s, c); o != nullptr && o->what[0] != '\0') {
    return std::to_string(o->position) + " m";
  }
  return std::to_string(point_chainage(c)) + " m";
}

// Records a fault of the pass at the source line of the object in cell `cause` (the slow
// order, or its warning board), with a note for each cell that was found taken.
void protection_fault(Scenario& s, Fault code, std::int32_t position, std::int32_t cause,
                      std::string message, std::initializer_list<std::int64_t> taken) {
  Diagnostic& d = set_error(s, code, position);
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
  const std::int64_t m = layer_chainage(cell);
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(m, std::numeric_limits<std::int32_t>::max()));
}

// A warning board at cell i: every signal in the 20 cells before it (not below cell 3) gets a
// point in one of the two cells before the signal, or an existing point there is lowered.
void protect_signals_before_board(Scenario& s, std::int32_t i) {
  for (std::int32_t back = 1; back <= kBoardLookBack; ++back) {
    const std::int32_t c = i - back;
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
                       "no free cell for a protection point " +
                           std::to_string(std::int64_t{band.nearest} * kCellLength) + " to " +
                           std::to_string(std::int64_t{band.farthest} * kCellLength) +
                           " m before the start of the slow order at " + placed_at(s, i),
                       {i - band.nearest, i - band.nearest - 1, i - band.farthest});
    }
  }
}

// Walks from the start cell i to the end of the slow order (the first kind-2 cell after it,
// or the table's last cell), placing a point every 8 cells. Returns the end cell.
std::int32_t protect_along_slow_order(Scenario& s, std::int32_t i) {
  const std::int32_t last = last_cell(s);
  // Cells walked since the last point: 0, 1 or -1 after a point, so that the next one comes
  // 8 cells after the point wherever it landed; past 8 after a fault, so no more come.
  std::int32_t since_point = 0;
  std::int32_t c = i;
  for (;;) {
    ++c;
    ++since_point;
    if (since_point == kPointSpacing) {
      if (is_free(s, c)) {
        mark(s, c);
        since_point = 0;
      } else if (is_free(s, c - 1)) {
        mark(s, c - 1);
        since_point = 1;
      } else if (is_free(s, c + 1)) {
        mark(s, c + 1);
        since_point = -1;
      } else {
        protection_fault(s, Fault::kNoRoomAlongSlowOrder, metres(c), i,
                         "no free cell for a protection point along the slow order at " +
                             placed_at(s, i) + ", near " + std::to_string(point_chainage(c)) + " m",
                         {c - 1, c, c + 1});
      }
    }
    if (has_kind(s, c, kSlowOrderEnd) || c >= last) return c;
  }
}

// For a slow order that gets no points along it: the end cell found by the same walk, so the
// signal search after it starts from this slow order's own end.
std::int32_t find_slow_order_end(const Scenario& s, std::int32_t i) {
  const std::int32_t last = last_cell(s);
  std::int32_t c = i;
  do {
    ++c;
  } while (!has_kind(s, c, kSlowOrderEnd) && c < last);
  return c;
}

// The first signal among the end cell and the 12 cells after it gets a point in the cell
// before it, or the one before that.
void protect_signal_after_end(Scenario& s, std::int32_t i, std::int32_t end) {
  const std::int32_t limit = std::min(end + kSignalSearchAfterEnd, last_cell(s));
  std::int32_t before_signal = 0;
  for (std::int32_t c = end; c <= limit; ++c) {
    if (has_kind(s, c, kSignal)) {
      before_signal = c - 1;
      break;
    }
  }
  if (before_signal <= 0) return;
  if (is_free(s, before_signal)) {
    mark(s, before_signal);
  } else if (is_free(s, before_signal - 1)) {
    mark(s, before_signal - 1);
  } else {
    protection_fault(s, Fault::kNoRoomAlongSlowOrder, metres(end), i,
                     "no free cell for the protection point of the signal at " +
                         placed_at(s, before_signal + 1) + ", after the end of the slow order at " +
                         placed_at(s, i),
                     {before_signal, before_signal - 1});
  }
}

void protect_slow_order(Scenario& s, std::int32_t i) {
  protect_bands_before_start(s, i);
  const std::int32_t end = s.track_table[static_cast<std::size_t>(i)].value1 < kFastSlowOrder
                               ? protect_along_slow_order(s, i)
                               : find_slow_order_end(s, i);
  protect_signal_after_end(s, i, end);
}

}  // namespace

void protect_track(Scenario& s) {
  if (!s.has_track_table()) return;
  const std::int32_t last_visited = last_cell(s) - 2;
  for (std::int32_t i = 1; i <= last_visited; ++i) {
    const std::uint8_t kind = s.track_table[static_cast<std::size_t>(i)].kind;
    if (kind == kWarningBoard) {
      protect_signals_before_board(s, i);
    } else if (kind == kSlowOrderStart) {
      protect_slow_order(s, i);
    }
  }
}

}  // namespace sb
