#include "compiler/output_set.h"

#include <optional>
#include <vector>

#include "compiler/replacement_record.h"
#include "platform/files.h"
#include "platform/interrupts.h"
#include "platform/platform_error.h"
#include "platform/printable_text.h"

namespace sb {
namespace {

// "A", "B" and "C".
std::string listed(const std::vector<std::string>& paths) {
  std::string text;
  for (std::size_t k = 0; k < paths.size(); ++k) {
    text += (k == 0 ? "" : k + 1 == paths.size() ? " and " : ", ") + echoed(paths[k]);
  }
  return text;
}

// The folder every file of the set is in, or nothing when they are not in one folder.
std::optional<std::string> common_folder(const std::deque<TemporaryFile>& files) {
  if (files.empty()) return std::nullopt;
  const std::string folder = path_folder(files.front().target());
  for (const TemporaryFile& file : files) {
    if (path_folder(file.target()) != folder) return std::nullopt;
  }
  return folder;
}

// One file of the set on its way into place.
struct Step {
  TemporaryFile* file;
  std::string kept;  // the old output's second name, or "" when it has none
  bool had_old;      // whether an old output stood at the target
};

void remove_quietly(const std::string& path) {
  try {
    delete_file(path);
  } catch (const PlatformError&) {
    // A name left behind is cleared away by a later run, as a stale temporary file.
  }
}

// Puts back the old outputs of the first `replaced` steps, which already have their new files
// (an output that had none is removed again); returns the note for the failure: that nothing
// was changed, or exactly which files stay new.
std::string roll_back(const std::vector<Step>& steps, std::size_t replaced) {
  std::vector<std::string> still_new;
  for (std::size_t j = 0; j < replaced; ++j) {
    const Step& step = steps[j];
    const std::string& target = step.file->target();
    try {
      if (!step.kept.empty()) {
        rename_file(step.kept, target);
        continue;
      }
      if (!step.had_old) {
        delete_file(target);
        continue;
      }
    } catch (const PlatformError&) {
      // Said below.
    }
    still_new.push_back(target);
  }
  if (still_new.empty()) return OutputSet::kNothingChanged;
  return "it stays as it was, but " + listed(still_new) + (still_new.size() == 1 ? " is" : " are") +
         " new already: the old content could not be put back";
}

}  // namespace

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
  // Every old output gets a second name first, so that no rename below frees its blocks (which
  // takes milliseconds for a large file) and so that it can be put back.
  std::vector<Step> steps;
  for (TemporaryFile& file : files_) {
    const bool had_old = file_kind(file.target()) != FileKind::kMissing;
    steps.push_back({&file, had_old ? file.keep_target() : "", had_old});
  }
  const auto drop_kept = [&] {
    for (const Step& step : steps) {
      if (!step.kept.empty()) remove_quietly(step.kept);
    }
  };
  // The record names the files of the set before the first rename: a run killed among the
  // renames is completed by the next one.
  const auto folder = common_folder(files_);
  std::string record;
  if (folder) {
    std::vector<PendingReplacement> set;
    for (const Step& step : steps) {
      set.push_back({path_leaf(step.file->sealed_name()), path_leaf(step.file->target()),
                     path_leaf(step.kept)});
    }
    record = join_path(*folder, kReplacementRecordLeaf);
    try {
      write_file(record, replacement_record_text(set));
    } catch (const PlatformError& e) {
      drop_kept();
      abandon();
      throw e.with_note(kNothingChanged);
    }
  }
  for (std::size_t k = 0; k < steps.size(); ++k) {
    try {
      steps[k].file->publish();
    } catch (const PlatformError& e) {
      const std::string note = roll_back(steps, k);
      abandon();
      drop_kept();
      if (!record.empty()) remove_quietly(record);
      throw e.with_note(note);
    }
  }
  drop_kept();
  if (!record.empty()) remove_quietly(record);
}

void OutputSet::abandon() noexcept {
  for (TemporaryFile& file : files_) file.discard();
}

}  // namespace sb
