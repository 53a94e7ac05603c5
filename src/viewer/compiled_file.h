// Reading the compiled binary files back for inspection: which of the three files a name
// stands for, and loading one whole file into its table with a clear error when it cannot
// be decoded.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/route_matrix.h"
#include "model/station_record.h"
#include "model/track_cell.h"

namespace sb {

enum class CompiledFileType { kTrack, kStations, kRoute };

// The type a file name stands for: "_linea.dat" a route matrix file, any other ".dat" a
// track file, ".sim" a station file; nothing for any other name.
std::optional<CompiledFileType> compiled_file_type_from_name(std::string_view path);
// The word used on the command line and in JSON: "track", "stations" or "route".
std::string_view compiled_file_word(CompiledFileType type);
std::optional<CompiledFileType> compiled_file_type_from_word(std::string_view word);
// "track file", "station file" or "route matrix file".
std::string_view compiled_file_description(CompiledFileType type);

// A file whose bytes do not decode: "PATH: malformed track file at byte N: DETAIL".
class MalformedFile : public std::runtime_error {
 public:
  MalformedFile(const std::string& path, CompiledFileType type, std::size_t offset,
                const std::string& detail);
  std::size_t offset() const { return offset_; }

 private:
  std::size_t offset_;
};

// Each reads and decodes a whole file. An empty file is malformed: every compiled file holds
// at least one record. Throw PlatformError when the file cannot be read, MalformedFile when
// its bytes do not decode.
std::vector<TrackCell> load_track_file(const std::string& path);
std::vector<StationRecord> load_station_file(const std::string& path);
RouteMatrix load_route_matrix_file(const std::string& path);

}  // namespace sb
