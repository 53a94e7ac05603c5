// The compiled files of one build, replaced together.
#pragma once

#include <deque>
#include <string>

#include "platform/temporary_file.h"

namespace sb {

// Each file of the set is written completely to a temporary file of its own first. Only when
// every one of them is complete does commit() put them in place, with interrupts held back:
// each old file gets a second name (so that no rename frees its blocks, which would stretch
// the renames over milliseconds, and so that it can be put back), a record of the set is
// written beside the files (see replacement_record.h), the new files are renamed over the old
// ones one right after another, and the old files' second names and the record are removed.
// A run killed among the renames leaves the record, and the next run completes the set. A
// rename that fails puts back the files already replaced, from their second names. A set that
// is never committed (a failure part-way, the error stop, a build whose faults keep its files
// from being written) removes every temporary file, and every old file stays as it was.
class OutputSet {
 public:
  OutputSet() = default;
  ~OutputSet();
  OutputSet(const OutputSet&) = delete;
  OutputSet& operator=(const OutputSet&) = delete;

  // Starts the new content of `path`; the file is written through the reference returned,
  // which stays valid as long as the set.
  TemporaryFile& add(const std::string& path);

  // Replaces every file of the set, in the order they were added. Throws PlatformError when a
  // file cannot be put in place: the files already replaced are put back, and the note says
  // that no compiled file was changed, or exactly which files could not be put back.
  void commit();

  // Removes every temporary file; the old files stay as they were.
  void abandon() noexcept;

  // The note for a failure before commit(): the callers that write the files add it.
  static constexpr const char* kNothingChanged = "no compiled file was changed";

 private:
  std::deque<TemporaryFile> files_;
};

}  // namespace sb
