#include "driver/lsp/scenario_check.h"

#include "compiler/error_stop.h"
#include "compiler/memorizza_percorso.h"
#include "model/file_names.h"
#include "model/scenario.h"
#include "model/station_record.h"
#include "platform/platform_error.h"

namespace sb {

CheckedPair check_scenario_texts(const std::string& folder, const std::string& scenario,
                                 const std::string& line,
                                 const std::unordered_map<std::string, std::string>& texts) {
  Scenario s;
  set_names(s, scenario, line);
  s.source_folder = folder;
  s.output_folder = folder;
  s.delete_sources = false;
  s.output_policy = Scenario::OutputPolicy::kNever;
  CheckedPair checked{line_file_name(s), train_file_name(s), {}, {}};
  for (const auto& [leaf, text] : texts) {
    if (leaf == line_file_leaf(scenario)) s.source_texts[checked.line_path] = text;
    if (leaf == train_file_leaf(scenario, line)) s.source_texts[checked.train_path] = text;
  }
  std::string stop;
  try {
    memorizza_percorso(s, 1);
  } catch (const ErrorStop& e) {
    stop = e.what();
  } catch (const PlatformError& e) {
    stop = e.what();
  }
  checked.diagnostics = std::move(s.diagnostics.items);
  if (s.has_track_table()) {
    checked.track = {s.cell_count, s.station_table[kTrainDataSlot].end_m};
  }
  if (!stop.empty()) {
    Diagnostic d;
    d.message = stop;
    checked.diagnostics.push_back(std::move(d));
  }
  return checked;
}

}  // namespace sb
