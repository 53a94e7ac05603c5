#include "driver/decompile_run.h"

#include <climits>
#include <iostream>
#include <optional>

#include "compiler/output_set.h"
#include "driver/decompile.h"
#include "driver/folder_option.h"
#include "format/route_matrix_file.h"
#include "model/cell_geometry.h"
#include "model/file_names.h"
#include "model/rounding.h"
#include "platform/files.h"
#include "platform/printable_text.h"
#include "viewer/compiled_file.h"
#include "viewer/route_plan_stream.h"

namespace sb {
namespace {

constexpr std::size_t kCellBytes = 15;

// The cells the route length stored in the station file makes: the track file must hold
// exactly these, and the route matrix file one point per metre of the route and its run-out.
void check_sizes(const Scenario& names, const CompiledTables& t) {
  const std::int64_t length = t.stations[kTrainDataSlot].end_m;
  const std::int64_t extended = length + kRunOut;
  const auto cells =
      static_cast<std::int64_t>(round_half_even(static_cast<double>(extended) / kCellLength)) + 1;
  const auto held = static_cast<std::int64_t>(t.track.size());
  if (held != cells) {
    const std::int64_t byte = std::min(held, cells) * static_cast<std::int64_t>(kCellBytes);
    throw MalformedFile(
        track_file_name(names), CompiledFileType::kTrack, static_cast<std::size_t>(byte),
        "the file holds " + std::to_string(held) + " cells, but the route length of " +
            std::to_string(length) + " m in the station file makes " + std::to_string(cells) +
            " (" + std::to_string(cells * static_cast<std::int64_t>(kCellBytes)) +
            " bytes): the file is cut short or does not belong to the station file");
  }
  if (t.route && t.route->upper() != extended) {
    throw MalformedFile(route_matrix_file_name(names), CompiledFileType::kRoute,
                        encoded_route_matrix_bytes(*t.route),
                        "the file holds metres 0 to " + std::to_string(t.route->upper()) +
                            ", but the route length of " + std::to_string(length) +
                            " m in the station file makes metres 0 to " + std::to_string(extended) +
                            ": the file is cut short or does not belong to the station file");
  }
}

// The three files. The route plan is only read through for its curves, unless `whole_route`
// (to compare it) or unless it is not laid out as the route length says: it is then decoded
// whole, which names what is wrong with it.
CompiledTables load_tables(const Scenario& names, bool whole_route) {
  CompiledTables t;
  t.stations = load_station_file(station_file_name(names));
  t.track = load_track_file(track_file_name(names));
  check_sizes(names, t);
  const std::string route = route_matrix_file_name(names);
  if (file_kind(route) == FileKind::kMissing) return t;
  const std::int64_t upper = std::int64_t{t.stations[kTrainDataSlot].end_m} + kRunOut;
  if (!whole_route && upper >= 0 && upper <= INT32_MAX) {
    CurveFinder finder(static_cast<std::int32_t>(upper));
    if (stream_route_plan(route, static_cast<std::int32_t>(upper), finder)) {
      t.curves = finder.finish();
      return t;
    }
  }
  t.route = load_route_matrix_file(route);
  check_sizes(names, t);
  return t;
}

void warn(const std::string& text) {
  std::cerr << "scenario_builder: warning: " << text << "\n";
}

}  // namespace

int run_decompile(const Options& o) {
  Scenario in;
  set_names(in, o.operands[0], o.operands[1]);
  in.source_folder = o.dir.value_or("");
  in.output_folder = in.source_folder;
  if (o.dir && !require_folder(*o.dir, "--dir")) return 2;
  CompiledTables tables;
  {
    const std::string& folder = in.output_folder;
    const FolderLock lock = lock_folder_for_reading(folder);
    tables = load_tables(in, o.round_trip);
  }
  const DecompiledFiles files = decompile(tables, o.operands[0], o.operands[1]);
  for (const std::string& w : files.warnings) warn(w);

  if (o.round_trip) {
    const MemoryBuild build = compile_in_memory(o.operands[0], o.operands[1], files.line_file,
                                                files.train_file, tables.route.has_value());
    if (const auto d = first_difference(tables, *build.scenario)) {
      std::cout << "decompiled files compile to other bytes: " << *d << "\n";
      return 1;
    }
    std::cout << "decompiled files compile to the same bytes\n";
    return files.warnings.empty() ? 0 : 1;
  }

  Scenario out;
  set_names(out, o.operands[0], o.operands[1]);
  out.source_folder = o.out.value_or(in.source_folder);
  const std::vector<std::string> paths = {line_file_name(out), train_file_name(out)};
  if (!o.force) {
    for (const std::string& path : paths) {
      if (file_kind(path) != FileKind::kMissing) {
        std::cerr << "scenario_builder: " << echoed(path)
                  << " already exists; nothing was written (--force replaces it)\n";
        return 2;
      }
    }
  }
  if (o.out && !is_folder(*o.out)) make_folders(*o.out);
  if (!require_folder(out.source_folder.empty() ? "." : out.source_folder, "--out")) return 2;
  const FolderLock lock = lock_folder(out.source_folder);
  OutputSet set;
  set.add(paths[0]).write(files.line_file);
  set.add(paths[1]).write(files.train_file);
  set.commit();
  return files.warnings.empty() ? 0 : 1;
}

}  // namespace sb
