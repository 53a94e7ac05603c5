#include "driver/builtin_run.h"

#include "compiler/memorizza_percorso.h"
#include "compiler/output_set.h"
#include "driver/output_names.h"
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
  // Nothing is written while one of the files has something in its place that no file may
  // replace (a device, a FIFO, a socket, a folder).
  check_replaceable_all(source_file_paths(s));
  check_replaceable_all(compiled_file_paths(s, true), OutputSet::kNothingChanged);
  write_scenario_sources(s);
  const std::int32_t j = 1;
  return memorizza_percorso(s, j);
}

}  // namespace sb
