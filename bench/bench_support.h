// Helpers of the benchmarks: a scratch folder, a quiet standard error, the long scenario's
// names and the plain file write that the compile is measured against.
#pragma once

#include <string>
#include <string_view>

#include "model/scenario.h"

namespace sb::bench {

// A fresh folder under the system's temporary folder, removed with its content at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Sends standard error to /dev/null while it lives (the built-in run prints "Attendere").
class QuietStderr {
 public:
  QuietStderr();
  ~QuietStderr();
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  int saved_ = -1;
};

// A scenario whose names are those of the long scenario and whose source and output folders
// are `folder`; the author's text files are never deleted.
Scenario long_scenario_in(const std::string& folder);

// Writes the long scenario's two text files into `folder`.
void write_long_scenario_sources(const std::string& folder);

// Replaces `path` with `bytes` in one pass: open, one write of the whole buffer, close.
void write_plainly(const std::string& path, std::string_view bytes);

}  // namespace sb::bench
