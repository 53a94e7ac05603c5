#include "driver/plan_run.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>

#include "driver/folder_option.h"
#include "model/file_names.h"
#include "platform/files.h"
#include "platform/folder_listing.h"
#include "platform/printable_text.h"
#include "viewer/compiled_file.h"
#include "viewer/compiled_scenarios.h"
#include "viewer/plan_scene.h"
#include "viewer/plan_svg.h"

namespace sb {
namespace {

// A folder of many compiled scenarios lists this many of them, and how many more there are.
constexpr std::size_t kListedScenarios = 20;

struct Names {
  std::string scenario, line;
};

std::string folder_words(const std::string& folder) {
  return folder.empty() ? "the current folder" : echoed(folder);
}

// Without names on the command line: the one compiled scenario of the folder, or a message
// that says what was looked for and what was found.
std::optional<Names> only_scenario(const std::string& folder) {
  const auto found = find_compiled_scenarios(ordinary_files_in(folder));
  std::vector<CompiledScenario> routed;
  for (const auto& s : found) {
    if (s.has_route) routed.push_back(s);
  }
  if (routed.size() == 1) return Names{routed[0].scenario, routed[0].line};
  std::cerr << "scenario_builder: ";
  if (routed.empty() && found.size() == 1) {
    std::cerr << "the compiled files " << echoed(found[0].scenario + ".sim") << " and "
              << echoed(found[0].scenario + ".dat") << " in " << folder_words(folder)
              << " have no route matrix file SCENARIO_linea.dat beside them: the plan is drawn "
                 "from it (a scenario compiled with --no-geometry has none; compile it again "
                 "without that option)\n";
  } else if (found.empty()) {
    std::cerr << "no compiled scenario in " << folder_words(folder)
              << ": looked for a station file SCENARIO_LINE.sim with its track file "
                 "SCENARIO_LINE.dat and its route matrix file SCENARIO_linea.dat; compile one "
                 "there, or give --dir, or SCENARIO and LINE\n";
  } else {
    std::cerr << found.size() << " compiled scenarios in " << folder_words(folder) << ":";
    const std::size_t shown = std::min(found.size(), kListedScenarios);
    for (std::size_t k = 0; k < shown; ++k) {
      std::cerr << (k == 0 ? " " : ", ") << echoed(found[k].scenario);
      if (found[k].has_route) std::cerr << " " << echoed(found[k].line);
    }
    if (shown < found.size()) std::cerr << " and " << found.size() - shown << " more";
    std::cerr << "; give SCENARIO and LINE to say which one to draw\n";
  }
  return std::nullopt;
}

}  // namespace

int run_plan(const Options& o) {
  const std::string folder = o.dir.value_or("");
  if (o.dir && !require_folder(*o.dir, "--dir")) return 2;
  // The files are read as one set: no compile replaces them meanwhile.
  const FolderLock lock = lock_folder_for_reading(folder);
  std::optional<Names> names;
  if (o.operands.empty()) {
    names = only_scenario(folder);
    if (!names) return 2;
  } else {
    names = Names{o.operands[0], o.operands[1]};
  }
  const bool to_standard_output = o.out && *o.out == "-";
  const std::string out = o.out.value_or(join_path(folder, names->scenario + ".svg"));
  // Only a file or a link takes the picture: a device, a FIFO or a socket is refused before
  // anything is read.
  if (!to_standard_output) check_replaceable(out);
  const std::string route_path = join_path(folder, route_matrix_file_leaf(names->scenario));
  if (file_kind(route_path) == FileKind::kMissing) {
    std::cerr << "scenario_builder: no route matrix file " << echoed(route_path)
              << ": the plan is drawn from it (a scenario compiled with --no-geometry has "
                 "none; compile it again without that option)\n";
    return 2;
  }
  const RouteMatrix route = load_route_matrix_file(route_path);
  const auto stations =
      load_station_file(join_path(folder, station_file_leaf(names->scenario, names->line)));
  const auto track =
      load_track_file(join_path(folder, track_file_leaf(names->scenario, names->line)));
  std::string svg;
  try {
    svg = plan_svg(build_plan_scene(route, stations, track));
  } catch (const std::invalid_argument& e) {
    std::cerr << "scenario_builder: " << echoed(route_path) << ": " << e.what() << "\n";
    return 2;
  }
  if (to_standard_output) {
    std::cout << svg;
    std::cout.flush();
    if (!std::cout) {
      std::cerr << "scenario_builder: cannot write the picture to standard output\n";
      return 2;
    }
    return 0;
  }
  // A picture named into a folder that does not exist yet gets its folder.
  const std::string parent = std::filesystem::path(out).parent_path().string();
  if (!parent.empty() && !is_folder(parent)) make_folders(parent);
  write_file(out, svg);
  return 0;
}

}  // namespace sb
