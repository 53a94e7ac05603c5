#include "format/track_file.h"

#include <algorithm>

#include "format/record_layout.h"

namespace sb {

std::string encode_track_file(const std::vector<TrackCell>& track_table) {
  std::string out(track_table.size() * kTrackCellSize, '\0');
  char* p = out.data();
  for (const TrackCell& cell : track_table) p = store_track_cell(p, cell);
  return out;
}

void write_track_file(TemporaryFile& file, const std::vector<TrackCell>& track_table) {
  // A block on the stack: the file is written without a copy of all of it in memory.
  constexpr std::size_t kCellsPerBlock = 2048;
  char block[kCellsPerBlock * kTrackCellSize];
  for (std::size_t first = 0; first < track_table.size(); first += kCellsPerBlock) {
    const std::size_t n = std::min(kCellsPerBlock, track_table.size() - first);
    char* p = block;
    for (std::size_t k = first; k < first + n; ++k) p = store_track_cell(p, track_table[k]);
    file.write(std::string_view(block, static_cast<std::size_t>(p - block)));
  }
}

std::vector<TrackCell> decode_track_file(std::string_view bytes) {
  ByteReader in(bytes);
  std::vector<TrackCell> cells;
  cells.reserve(bytes.size() / kTrackCellSize + 1);
  while (!in.at_end()) {
    try {
      cells.push_back(decode_track_cell(in));
    } catch (const DecodeError& e) {
      throw DecodeError(e.offset(),
                        "track cell " + std::to_string(cells.size()) + ", " + e.detail());
    }
  }
  return cells;
}

}  // namespace sb
