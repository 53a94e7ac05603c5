#include "viewer/compiled_scenarios.h"

#include <set>
#include <string_view>

#include "model/file_names.h"

namespace sb {
namespace {

constexpr std::string_view kStationSuffix = ".sim";

}  // namespace

std::vector<CompiledScenario> find_compiled_scenarios(const std::vector<std::string>& names) {
  const std::set<std::string> present(names.begin(), names.end());
  std::vector<CompiledScenario> found;
  for (const std::string& name : present) {
    if (name.size() <= kStationSuffix.size() ||
        name.compare(name.size() - kStationSuffix.size(), kStationSuffix.size(), kStationSuffix) !=
            0) {
      continue;
    }
    const std::string base = name.substr(0, name.size() - kStationSuffix.size());
    if (!present.count(base + ".dat")) continue;
    bool routed = false;
    // Every "_" may part the scenario from the line; the route matrix file tells which does.
    for (std::size_t at = base.find('_'); at != std::string::npos; at = base.find('_', at + 1)) {
      const std::string scenario = base.substr(0, at);
      if (present.count(route_matrix_file_leaf(scenario))) {
        found.push_back({scenario, base.substr(at + 1), true});
        routed = true;
      }
    }
    if (!routed) found.push_back({base, "", false});
  }
  return found;
}

}  // namespace sb
