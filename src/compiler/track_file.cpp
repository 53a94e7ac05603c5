#include "compiler/track_file.h"

#include "compiler/record_layout.h"

namespace sb {

std::string encode_track_file(const std::vector<TrackCell>& track_table) {
  std::string out(track_table.size() * kTrackCellSize, '\0');
  char* p = out.data();
  for (const TrackCell& cell : track_table) p = store_track_cell(p, cell);
  return out;
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
