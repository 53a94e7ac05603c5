// The operations that record one object of the scenario text files in the model. Each of them
// throws ReadFailure rather than write outside a table.
#pragma once

#include <cstdint>

#include "model/scenario.h"

namespace sb {

// Brings the three kilometric-chainage references of station slots 81 to 83 into order. A
// second value pushed beyond 32 bits by the adjustment throws ReadFailure.
void progressive_ordina(Scenario& s);

// Records a mountain-side stretch and marks its cells; `tipo` becomes the effective type.
void memo_montagna(Scenario& s, std::int32_t& inizio, std::int32_t& fine, std::int32_t& tipo);

// Places a maximum-speed board; records `Fault::kSpeedBoardCellTaken` when its cell is taken.
void memo_indicatori_v_max(Scenario& s, std::int32_t posizione, std::int32_t& vas,
                           std::int32_t& vbs, std::int32_t& vcs, std::int16_t& strisces,
                           std::int32_t& vad, std::int32_t& vbd, std::int32_t& vcd,
                           std::int16_t& strisced);

// Places a signal and its four approach marks; records `Fault::kSignalCellTaken` when its cell is
// taken. `tempo` from 1 to 100 becomes 101.
void memo_segnale(Scenario& s, std::int32_t posizione, std::int32_t& sx, std::int32_t& s1,
                  std::int32_t& s2, std::int32_t& s3, std::int32_t& rapp, std::int32_t& dx,
                  std::int32_t& d1, std::int32_t& d2, std::int32_t& d3, std::int32_t& tempo);

// Places a slow order: its start, end, warning board and pre-warning cells; sets error codes
// 17 to 20 when a cell is taken.
void memo_rallentamento(Scenario& s, std::int32_t x, std::int32_t& v, std::int32_t& l,
                        std::int32_t& f_tt, std::int32_t f_ta, std::int32_t& d_v);

}  // namespace sb
