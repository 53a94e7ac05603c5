// Slow orders: start and end cells, a warning board 1200 m before the start and, on request,
// four pre-warning cells before the board.
#include "model/cell_geometry.h"
#include "reader/operations.h"
#include "reader/reader_support.h"

namespace sb {
namespace {

constexpr int kWarningDistance = 1200;  // metres from the warning board to the start

}  // namespace

void memo_rallentamento(Scenario& s, std::int32_t x, std::int32_t& v, std::int32_t& l,
                        std::int32_t& f_tt, std::int32_t f_ta, std::int32_t& d_v) {
  const std::int32_t start = point_cell(x);
  const std::int32_t end = round_index(point_cell_fraction(static_cast<double>(x) + l));
  const std::int32_t warning =
      round_index(point_cell_fraction(static_cast<double>(x) - kWarningDistance));
  const bool has_warning = x > 1500;
  if (!has_warning) f_ta = 0;
  // The cells are tested in this order, each only when its test is reached: a cell outside
  // the table ends the reading (code 25) then, and not before an earlier cell's fault.
  TrackCell* warning_cell = nullptr;
  if (has_warning) {
    warning_cell = &track_cell(s, warning);
    if (!warning_cell->is_free()) {
      cell_taken(s, Fault::kWarningBoardCellTaken, warning, "the slow order's warning-board cell");
      return;
    }
  }
  TrackCell& start_cell = track_cell(s, start);
  if (!start_cell.is_free()) {
    cell_taken(s, Fault::kSlowOrderStartCellTaken, start, "the slow order's start cell");
    return;
  }
  TrackCell& end_cell = track_cell(s, end);
  if (!end_cell.is_free()) {
    cell_taken(s, Fault::kSlowOrderEndCellTaken, end, "the slow order's end cell");
    return;
  }
  end_cell.kind = kSlowOrderEnd;
  if (d_v != 0) end_cell.value2 = low16(d_v);
  start_cell.kind = kSlowOrderStart;
  if (d_v != 0) start_cell.value2 = low16(d_v);
  if (warning_cell != nullptr) {
    warning_cell->kind = kWarningBoard;
    if (d_v != 0) warning_cell->value2 = low16(d_v);
    warning_cell->value1 = low16(v);
  }
  start_cell.value1 = low16(v);
  end_cell.value1 = low16(v);
  start_cell.value3 = low16(f_tt);
  end_cell.value3 = low16(f_tt);
  record_origin(s, end, "the end of a slow order", x);
  record_origin(s, start, "the start of a slow order", x);
  if (warning_cell != nullptr) record_origin(s, warning, "the warning board of a slow order", x);

  // The cell before the board; the pre-warning cells are it and the three before it.
  const std::int32_t before_board =
      round_index(in_cells(static_cast<double>(x) - kWarningDistance));
  if (f_ta == 0) return;
  for (int k = 0; k <= 3; ++k) track_cell(s, std::int64_t{before_board} - k);  // bounds first
  bool taken = false;
  for (int k = 0; k <= 3; ++k) {
    if (!s.track_table[static_cast<std::size_t>(before_board - k)].is_free()) taken = true;
  }
  if (taken) {
    int k = 0;
    while (s.track_table[static_cast<std::size_t>(before_board - k)].is_free()) ++k;
    cell_taken(s, Fault::kPreWarningCellTaken, before_board - k,
               "the slow order's pre-warning cell " + std::to_string(k + 1) + " of 4");
    return;
  }
  for (int k = 0; k <= 3; ++k) {
    TrackCell& cell = s.track_table[static_cast<std::size_t>(before_board - k)];
    cell.kind = kPreWarning;
    cell.value1 = static_cast<std::int16_t>(k + 1);
    if (d_v != 0) cell.value2 = static_cast<std::int16_t>(k + 1);
    record_origin(s, before_board - k, "a pre-warning cell of a slow order", x);
  }
}

}  // namespace sb
