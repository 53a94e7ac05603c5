#include "driver/compile_run.h"

#include <iostream>

#include "compiler/memorizza_percorso.h"
#include "driver/diagnostics.h"
#include "driver/folder_option.h"
#include "model/file_names.h"
#include "platform/files.h"

namespace sb {

int run_compile(const Options& o) {
  Scenario s;
  set_names(s, o.operands[0], o.operands[1]);
  s.source_folder = o.dir.value_or("");
  s.output_folder = o.out.value_or(s.source_folder);
  s.delete_sources = false;
  if (o.dir && !require_folder(*o.dir, "--dir")) return 2;
  if (!require_folder(s.output_folder.empty() ? "." : s.output_folder, "--out")) return 2;
  // A source file that exists but cannot be read is a platform failure of its own; a missing
  // line file is a fault that the reader reports (code 101).
  check_readable(line_file_name(s));
  check_readable(train_file_name(s));
  const FolderLock lock = lock_folder(s.output_folder);
  const std::int32_t j = o.no_geometry ? 0 : 1;
  const bool compiled = memorizza_percorso(s, j);
  return report_build(s, compiled) ? 0 : 1;
}

bool report_build(const Scenario& s, bool compiled) {
  report_faults(s.fault_log, std::cerr);
  const auto faults = s.fault_log.faults.size();
  if (!compiled) {
    std::cerr << "scenario_builder: nothing compiled: the reading left no track table; "
                 "no binary file was written\n";
    return false;
  }
  if (faults > 0) {
    std::cerr << "scenario_builder: " << faults << (faults == 1 ? " fault" : " faults")
              << " recorded; the binary files were written all the same\n";
  }
  return faults == 0;
}

}  // namespace sb
