// Signals: the signal cell with its values packed in decimal, and approach marks in the four
// cells 100, 200, 300 and 400 m before it.
#include "reader/operations.h"
#include "reader/reader_support.h"

namespace sb {

void memo_segnale(Scenario& s, std::int32_t posizione, std::int32_t& sx, std::int32_t& s1,
                  std::int32_t& s2, std::int32_t& s3, std::int32_t& rapp, std::int32_t& dx,
                  std::int32_t& d1, std::int32_t& d2, std::int32_t& d3, std::int32_t& tempo) {
  const std::int32_t n = point_cell(posizione);
  TrackCell& cell = track_cell(s, n);
  if (!cell.is_free()) {
    cell_taken(s, Fault::kSignalCellTaken, n, "the signal's cell");
    return;
  }
  cell.kind = kSignal;
  record_origin(s, n, "a signal", posizione);
  cell.value4 = low16(std::int64_t{rapp} * 10 + std::int64_t{sx} * 3 + dx);
  cell.value1 = low16(std::int64_t{s1} * 10 + d1);
  cell.value2 = low16(std::int64_t{s2} * 10 + d2);
  cell.value3 = low16(std::int64_t{s3} * 10 + d3);
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  cell.signal_time = sx == 2 ? low8(tempo) : 0;
  // Marks that would fall before cell 0 (a signal closer than 325 m to the origin) are
  // dropped; the signal itself is kept.
  for (int k = 1; k <= 4; ++k) {
    const std::int64_t mark_cell = std::int64_t{n} - 2 * k;
    if (mark_cell < 0) continue;
    track_cell(s, mark_cell).approach_mark = low8((std::int64_t{sx} * 3 + dx) * 10 + k);
  }
}

}  // namespace sb
