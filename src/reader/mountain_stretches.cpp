// Mountain-side stretches: a type on a run of cells and, on marked stretches, a marker in
// every fourth cell.
#include "model/cell_geometry.h"
#include "model/rounding.h"
#include "reader/operations.h"
#include "reader/read_failure.h"
#include "reader/reader_support.h"

namespace sb {

void memo_montagna(Scenario& s, std::int32_t& inizio, std::int32_t& fine, std::int32_t& tipo) {
  bool markers = false;
  if (tipo > 10) {
    tipo -= 10;
    markers = true;
  }
  if (s.mountain_count + 1 >= kMountainSlots) {
    throw ReadFailure("more than " + std::to_string(kMountainSlots - 1) +
                      " mountain-side stretches");
  }
  ++s.mountain_count;
  s.mountain_start[s.mountain_count] = inizio;
  s.mountain_end[s.mountain_count] = fine;
  if (s.mountain_count > 1 &&
      static_cast<std::int64_t>(inizio) - s.mountain_end[s.mountain_count - 1] <= 150) {
    tipo = 3;
  }
  const std::int32_t first = stretch_cell(inizio);
  const std::int32_t last = round_index(in_cells(fine) - 1);
  std::int32_t count = 0;
  for (std::int64_t n = first; n <= last; ++n) {
    TrackCell& cell = track_cell(s, n);
    ++count;
    cell.mountain_side = low8(tipo);
    if (markers && count % 4 == 0 && cell.kind == kPlain) cell.kind = kMountainMarker;
  }
}

}  // namespace sb
