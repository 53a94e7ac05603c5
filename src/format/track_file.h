// The track file: every cell of the track table, index 0 first, 15 bytes each, no header.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "format/byte_reader.h"  // DecodeError
#include "model/track_cell.h"
#include "platform/temporary_file.h"

namespace sb {

std::string encode_track_file(const std::vector<TrackCell>& track_table);

// Writes the same bytes into `file`, a block at a time. Throws PlatformError.
void write_track_file(TemporaryFile& file, const std::vector<TrackCell>& track_table);

// Throws DecodeError when the length is not a whole number of cells; the offset is that of
// the field cut short in the last cell.
std::vector<TrackCell> decode_track_file(std::string_view bytes);

}  // namespace sb
