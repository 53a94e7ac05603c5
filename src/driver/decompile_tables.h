// Recovering the entries of the two text files from the compiled track and station tables:
// what the compiler adds on its own (the stamped header values, protection points, approach
// marks, stop cells, mountain-side markers, the fills up to the run-out) is recognised and
// not written back as entries.
#pragma once

#include <set>
#include <vector>

#include "model/station_record.h"
#include "model/track_cell.h"
#include "viewer/decompiled_entries.h"

namespace sb {

// The cells of the track table whose "abbattimento" point with the protection pass's value
// stands there as an author's entry, not as a point the pass added: the decompiler finds them
// by compiling its own entries and looking which such points the pass did not add.
using AuthorPoints = std::set<std::size_t>;

// The entries of both files, curves aside. `stations` holds the 87 slots, `track` at least
// the header cell 1.
DecompiledEntries recover_entries(const std::vector<TrackCell>& track,
                                  const std::vector<StationRecord>& stations,
                                  const AuthorPoints& author_points);

}  // namespace sb
