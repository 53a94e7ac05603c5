#include "viewer/compiled_file.h"

#include "format/byte_reader.h"
#include "format/route_matrix_file.h"
#include "format/station_file.h"
#include "format/track_file.h"
#include "platform/files.h"
#include "platform/printable_text.h"

namespace sb {
namespace {

// Reads the file and hands its bytes to `decode`, turning a decoding failure into
// MalformedFile.
template <typename Decode>
auto load(const std::string& path, CompiledFileType type, Decode decode) {
  const std::string bytes = read_file(path);
  if (bytes.empty()) throw MalformedFile(path, type, 0, "the file is empty");
  try {
    return decode(bytes);
  } catch (const DecodeError& e) {
    throw MalformedFile(path, type, e.offset(), e.detail());
  }
}

}  // namespace

std::optional<CompiledFileType> compiled_file_type_from_name(std::string_view path) {
  if (path.ends_with("_linea.dat")) return CompiledFileType::kRoute;
  if (path.ends_with(".dat")) return CompiledFileType::kTrack;
  if (path.ends_with(".sim")) return CompiledFileType::kStations;
  return std::nullopt;
}

std::string_view compiled_file_word(CompiledFileType type) {
  switch (type) {
    case CompiledFileType::kTrack:
      return "track";
    case CompiledFileType::kStations:
      return "stations";
    case CompiledFileType::kRoute:
      return "route";
  }
  return "";
}

std::optional<CompiledFileType> compiled_file_type_from_word(std::string_view word) {
  for (auto type :
       {CompiledFileType::kTrack, CompiledFileType::kStations, CompiledFileType::kRoute}) {
    if (compiled_file_word(type) == word) return type;
  }
  return std::nullopt;
}

std::string_view compiled_file_description(CompiledFileType type) {
  switch (type) {
    case CompiledFileType::kTrack:
      return "track file";
    case CompiledFileType::kStations:
      return "station file";
    case CompiledFileType::kRoute:
      return "route matrix file";
  }
  return "";
}

MalformedFile::MalformedFile(const std::string& path, CompiledFileType type, std::size_t offset,
                             const std::string& detail)
    : std::runtime_error(echoed(path) + ": malformed " +
                         std::string(compiled_file_description(type)) + " at byte " +
                         std::to_string(offset) + ": " + detail),
      offset_(offset) {}

std::vector<TrackCell> load_track_file(const std::string& path) {
  return load(path, CompiledFileType::kTrack,
              [](std::string_view bytes) { return decode_track_file(bytes); });
}

std::vector<StationRecord> load_station_file(const std::string& path) {
  return load(path, CompiledFileType::kStations,
              [](std::string_view bytes) { return decode_station_file(bytes); });
}

RouteMatrix load_route_matrix_file(const std::string& path) {
  // The largest of the files is read twice in pieces (see RouteMatrixDecoder) and never held
  // whole beside its matrix.
  const CompiledFileType type = CompiledFileType::kRoute;
  RouteMatrixDecoder decoder;
  try {
    for (int pass = 0; pass < 2; ++pass) {
      const auto take = [&decoder](std::string_view piece) { decoder.take(piece); };
      if (read_file_in_pieces(path, take) == 0) {
        throw MalformedFile(path, type, 0, "the file is empty");
      }
      decoder.end_pass();
    }
  } catch (const DecodeError& e) {
    throw MalformedFile(path, type, e.offset(), e.detail());
  }
  return decoder.result();
}

}  // namespace sb
