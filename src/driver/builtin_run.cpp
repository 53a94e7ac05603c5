#include "driver/builtin_run.h"

#include "compiler/memorizza_percorso.h"
#include "platform/console.h"
#include "writers/builtin_sources.h"

namespace sb {

void set_builtin_names(Scenario& s, const std::string& folder) {
  set_names(s, kBuiltinScenarioName, kBuiltinLineName);
  s.source_folder = folder;
  s.output_folder = folder;
  s.delete_sources = true;
}

bool run_builtin(Scenario& s, const std::string& folder) {
  set_builtin_names(s, folder);
  show_status("Attendere");
  write_scenario_sources(s);
  const std::int32_t j = 1;
  return memorizza_percorso(s, j);
}

}  // namespace sb
