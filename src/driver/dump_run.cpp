#include "driver/dump_run.h"

#include <iostream>
#include <memory>
#include <optional>

#include "driver/folder_option.h"
#include "platform/files.h"
#include "platform/printable_text.h"
#include "viewer/compiled_file.h"
#include "viewer/dump_table.h"

namespace sb {
namespace {

// The station file that goes with a track file "SCENARIO_LINE.dat" is "SCENARIO_LINE.sim"
// beside it; it names the stations and signboards of the track. Null when there is none or it
// does not decode: the listing then gives their slot numbers alone.
std::shared_ptr<const std::vector<StationRecord>> companion_stations(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos) return nullptr;
  const std::string stations = path.substr(0, dot) + ".sim";
  if (stations == path || !is_ordinary_file(stations)) return nullptr;
  try {
    return std::make_shared<const std::vector<StationRecord>>(load_station_file(stations));
  } catch (const std::exception&) {
    return nullptr;
  }
}

DumpTable load_dump(const std::string& path, CompiledFileType type, const Options& o) {
  DumpOptions options;
  options.all = o.all;
  options.units = o.units;
  switch (type) {
    case CompiledFileType::kTrack:
      if (o.units) options.stations = companion_stations(path);
      return track_dump(std::make_shared<const std::vector<TrackCell>>(load_track_file(path)),
                        options);
    case CompiledFileType::kStations:
      return station_dump(
          std::make_shared<const std::vector<StationRecord>>(load_station_file(path)), options);
    case CompiledFileType::kRoute:
      break;
  }
  return route_dump(std::make_shared<const RouteMatrix>(load_route_matrix_file(path)), o.step);
}

}  // namespace

int run_dump(const Options& o) {
  const std::string& path = o.operands.at(0);
  const auto type =
      o.type ? compiled_file_type_from_word(*o.type) : compiled_file_type_from_name(path);
  if (!type) {
    std::cerr << "scenario_builder: " << echoed(path)
              << ": cannot tell the file type from its name (\"_linea.dat\" route, other "
                 "\".dat\" track, \".sim\" stations); give --type track|stations|route\n"
              << "Try 'scenario_builder --help' for more information.\n";
    return 2;
  }
  // The file (and the station file beside a track file) is read while no compile replaces
  // the files of its folder.
  std::optional<FolderLock> lock;
  if (const std::string folder = path_folder(path); is_folder(folder.empty() ? "." : folder)) {
    lock.emplace(lock_folder_for_reading(folder));
  }
  const DumpTable table = load_dump(path, *type, o);
  if (o.json) {
    print_dump_json(table, path, std::cout);
  } else {
    print_dump_text(table, std::cout);
  }
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "scenario_builder: cannot write the listing to standard output\n";
    return 2;
  }
  return 0;
}

}  // namespace sb
