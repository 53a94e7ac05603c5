// The reading step: the line pass, then the train pass, and the one failure path that every
// run-time failure of either pass takes.
#include "reader/memorizza_dati.h"

#include "model/file_names.h"
#include "platform/files.h"
#include "platform/platform_error.h"
#include "reader/passes.h"
#include "reader/read_failure.h"
#include "reader/read_on.h"

namespace sb {

std::string read_source(const Scenario& s, const std::string& path) {
  if (const auto handed = s.source_texts.find(path); handed != s.source_texts.end()) {
    return handed->second;
  }
  try {
    return read_file(path);
  } catch (const PlatformError& e) {
    // No descriptor left is a failure of the system, not of the file: it ends the run.
    if (e.out_of_descriptors()) throw;
    throw ReadFailure(e.what());
  }
}

void delete_source(const Scenario& s, const std::string& path) {
  if (!s.delete_sources) return;
  try {
    delete_file(path);
  } catch (const PlatformError& e) {
    throw ReadFailure(e.what());
  }
}

void memorizza_dati(Scenario& s) {
  ReaderState st;
  ReadOnReport report;
  st.report = &report;
  try {
    if (read_line_file(s, st)) read_train_file(s, st);
  } catch (const ReadFailure& failure) {
    // Every file is already closed (a file is read whole); the run's own text files are
    // removed, and the reading ends with `Fault::kUnreadable`.
    if (s.delete_sources) {
      for (const std::string& path : {line_file_name(s), train_file_name(s)}) {
        try {
          delete_file(path);
        } catch (const PlatformError&) {
          // Nothing more can be done about a file that cannot be deleted here.
        }
      }
    }
    record_failure(s, failure);
  }
  s.diagnostics.where = {};
  take_read_on_report(s, report);
}

}  // namespace sb
