// Finding the compiled scenarios in a folder from the names of its files: a scenario SCENARIO
// with a line LINE has a station file SCENARIO_LINE.sim and a track file SCENARIO_LINE.dat,
// and, unless it was compiled without its route plan, a route matrix file SCENARIO_linea.dat.
#pragma once

#include <string>
#include <vector>

namespace sb {

struct CompiledScenario {
  // With a route matrix file: the scenario and line names. Without one the split of
  // "SCENARIO_LINE" cannot be told, and `scenario` holds the whole of it, `line` is empty.
  std::string scenario;
  std::string line;
  bool has_route = false;
};

// The scenarios whose station and track files are both among `names`, in name order.
std::vector<CompiledScenario> find_compiled_scenarios(const std::vector<std::string>& names);

}  // namespace sb
