// What the hover says of a position value: the track cells its entry takes, by the reader's
// own rounding, and the range check it must pass, in the author's terms and, once the scenario
// has been checked, with the line's own figures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "driver/lsp/documents.h"
#include "driver/lsp/entry_lines.h"
#include "driver/lsp/scenario_check.h"

namespace sb {

// Where value `index` (from 1) of `entry`, on line `n` of `d`, puts the entry on the track:
// "Lands in cell 101, 5000 to 5050 m." for a point object, the first and last cells for a
// stretch. Empty for a value that is no position or that is not a whole number.
std::string landing_text(const Document& d, std::int64_t n, std::string_view line,
                         const EntryLine& entry, std::size_t index);

// The range check of an entry's position, with the entry's margin (100 m, 800 m for a
// station): the last position the line takes and why, with its figure when `track` knows the
// line.
std::string range_check_text(const TrackExtent& track, int margin);

}  // namespace sb
