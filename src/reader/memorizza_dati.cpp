// The reading step: the line pass, then the train pass, and the one failure path that every
// run-time failure of either pass takes.
#include "reader/memorizza_dati.h"

#include "model/file_names.h"
#include "platform/files.h"
#include "platform/platform_error.h"
#include "reader/passes.h"
#include "reader/read_failure.h"

namespace sb {

std::string read_source(const Scenario& s, const std::string& path) {
  if (s.sources_in_memory != nullptr) {
    const auto text = s.sources_in_memory->find(path);
    if (text == s.sources_in_memory->end()) throw ReadFailure("no text for " + path);
    return text->second;
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
    Diagnostic& d = set_error(s, Fault::kUnreadable);
    if (failure.spot()) d.where = *failure.spot();
    d.message = failure.what();
    d.notes = failure.notes();
  }
  s.diagnostics.where = {};
}

}  // namespace sb
