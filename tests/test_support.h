// Helpers shared by the tests: temporary folders, file access and running the real program.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/scenario.h"

namespace sb::test {

// A fresh empty folder, removed with everything in it when the object goes away.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // The path of `leaf` in the folder, joined as the program joins its own paths.
  std::string file(const std::string& leaf) const;
  // Names of the entries in the folder, sorted.
  std::vector<std::string> entries() const;

 private:
  std::string path_;
};

// Paths are UTF-8 strings, as in the program; these turn them into the library's paths and back.
std::filesystem::path fs_path(const std::string& path);
std::string utf8_path(const std::filesystem::path& path);

std::string read_bytes(const std::string& path);
void write_bytes(const std::string& path, const std::string& bytes);
bool exists(const std::string& path);

struct ProgramResult {
  int status = -1;  // exit status, or -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// Windows has no file size limit per process, no user to switch to, no file modes, FIFOs or
// signals: tests that need them skip there.
#ifdef _WIN32
inline constexpr bool kWindows = true;
#else
inline constexpr bool kWindows = false;
#endif

// Conditions for the program run by run_program (not available on Windows).
struct RunLimits {
  // The largest file the program may write, in bytes (RLIMIT_FSIZE): a write beyond it fails.
  std::optional<std::uint64_t> file_size;
  // Run the program as the user "nobody" when the tests run as root, for whom file and
  // folder permissions are not enforced.
  bool unprivileged = false;
};

// Runs the built scenario_builder (or `program`) with `args` in the folder `cwd`. A program
// that could not be started exits with 127. On Windows the program's text output is read as
// text: its line ends come back as "\n".
ProgramResult run_program(const std::vector<std::string>& args, const std::string& cwd,
                          const std::string& program = SB_PROGRAM, const RunLimits& limits = {});

// Names of the entries in `folder`, sorted.
std::vector<std::string> entries_of(const std::string& folder);

// Copies the built program into `folder` under its own file name; returns the copy's path.
std::string copy_program(const std::string& folder);

// A scenario with the built-in names whose source and output folders are `folder`.
Scenario builtin_scenario(const std::string& folder);

// Joins lines with CR LF after each one, as the scenario text files are written.
std::string crlf(const std::vector<std::string>& lines);

}  // namespace sb::test
