#include "driver/plan_run.h"

#include <iostream>
#include <stdexcept>

#include "driver/builtin_run.h"
#include "driver/folder_option.h"
#include "model/file_names.h"
#include "platform/files.h"
#include "viewer/compiled_file.h"
#include "viewer/plan_scene.h"
#include "viewer/plan_svg.h"

namespace sb {

int run_plan(const Options& o) {
  const std::string scenario = o.operands.empty() ? kBuiltinScenarioName : o.operands[0];
  const std::string line = o.operands.empty() ? kBuiltinLineName : o.operands[1];
  const std::string folder = o.dir.value_or("");
  if (o.dir && !require_folder(*o.dir, "--dir")) return 2;
  const std::string route_path = join_path(folder, route_matrix_file_leaf(scenario));
  if (file_kind(route_path) == FileKind::kMissing) {
    std::cerr << "scenario_builder: no route matrix file '" << route_path
              << "': the plan is drawn from it (a scenario compiled with --no-geometry has "
                 "none; compile it again without that option)\n";
    return 2;
  }
  const RouteMatrix route = load_route_matrix_file(route_path);
  const auto stations = load_station_file(join_path(folder, station_file_leaf(scenario, line)));
  const auto track = load_track_file(join_path(folder, track_file_leaf(scenario, line)));
  std::string svg;
  try {
    svg = plan_svg(build_plan_scene(route, stations, track));
  } catch (const std::invalid_argument& e) {
    std::cerr << "scenario_builder: " << route_path << ": " << e.what() << "\n";
    return 2;
  }
  write_file(o.out.value_or(join_path(folder, scenario + ".svg")), svg);
  return 0;
}

}  // namespace sb
