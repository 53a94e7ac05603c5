#include "compiler/output_set.h"

#include "platform/interrupts.h"
#include "platform/platform_error.h"

namespace sb {

OutputSet::~OutputSet() {
  abandon();
}

TemporaryFile& OutputSet::add(const std::string& path) {
  return files_.emplace_back(path);
}

void OutputSet::commit() {
  const InterruptsDeferred deferred;
  try {
    for (TemporaryFile& file : files_) file.seal();
  } catch (const PlatformError& e) {
    abandon();
    throw e.with_note(kNothingChanged);
  }
  std::string replaced;
  for (TemporaryFile& file : files_) {
    try {
      file.publish();
    } catch (const PlatformError& e) {
      abandon();
      throw e.with_note(replaced.empty()
                            ? kNothingChanged
                            : "it stays as it was, but " + replaced + " had already been replaced");
    }
    replaced += (replaced.empty() ? "" : ", ") + echoed(file.target());
  }
}

void OutputSet::abandon() noexcept {
  for (TemporaryFile& file : files_) file.discard();
}

}  // namespace sb
