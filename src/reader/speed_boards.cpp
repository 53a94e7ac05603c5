// Maximum-speed boards: three speed pairs and two stripe counts packed into one cell.
#include "model/speed_board_packing.h"
#include "reader/operations.h"
#include "reader/read_failure.h"
#include "reader/reader_support.h"

namespace sb {
namespace {

// s-side speed x 20 plus d-side speed / 5 (an exact quotient), rounded into 16 bits.
std::int16_t speed_pair(std::int32_t s_side, std::int32_t d_side) {
  const auto packed = pack_speeds(s_side, d_side);
  if (!packed) {
    throw ReadFailure("the speed-board value " + std::to_string(s_side) + " x 20 + " +
                      std::to_string(d_side) + " / 5 does not fit -32768 to 32767");
  }
  return *packed;
}

}  // namespace

void memo_indicatori_v_max(Scenario& s, std::int32_t posizione, std::int32_t& vas,
                           std::int32_t& vbs, std::int32_t& vcs, std::int16_t& strisces,
                           std::int32_t& vad, std::int32_t& vbd, std::int32_t& vcd,
                           std::int16_t& strisced) {
  const std::int32_t n = point_cell(posizione);
  TrackCell& cell = track_cell(s, n);
  if (!cell.is_free()) {
    cell_taken(s, Fault::kSpeedBoardCellTaken, n, "the speed board's cell");
    return;
  }
  cell.kind = kSpeedBoard;
  record_origin(s, n, "a speed board", posizione);
  cell.value1 = speed_pair(vas, vad);
  cell.value2 = speed_pair(vbs, vbd);
  cell.value3 = speed_pair(vcs, vcd);
  cell.value4 = low16(std::int64_t{strisces} * 10 + strisced);
}

}  // namespace sb
