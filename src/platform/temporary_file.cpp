// The parts of a temporary file that are the same on every system.
#include "platform/temporary_file.h"

#include "platform/files.h"
#include "platform/platform_error.h"
#include "platform/temporary_names.h"

namespace sb {

std::string TemporaryFile::keep_target() const {
  // The second name is another temporary name of this process, whose number the sealed
  // file's own name holds.
  const auto pid = temporary_owner(path_leaf(sealed_name()), path_leaf(target_));
  if (!pid) return "";
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    const std::string name = temporary_name(target_, *pid, attempt);
    if (name == sealed_name()) continue;
    if (add_second_name(target_, name)) return name;
    // A name taken is tried again under the next; any other refusal is final.
    try {
      if (file_kind(name) == FileKind::kMissing) return "";
    } catch (const PlatformError&) {
      return "";
    }
  }
  return "";
}

void TemporaryFile::recheck_target() {
  // Looked at again once sealed: something else may have taken the target's place meanwhile.
  try {
    check_replaceable(target_);
  } catch (const PlatformError&) {
    discard();
    throw;
  }
}

}  // namespace sb
