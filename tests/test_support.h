// Helpers shared by the tests: temporary folders, file access and running the real program.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
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

// 64-bit FNV-1a of the bytes; `h` carries the digest of the bytes before them.
std::uint64_t digest(std::string_view bytes, std::uint64_t h = 0xcbf29ce484222325u);

// What a folder holds, every entry below it by its path relative to the folder: a folder as
// "folder", a file as "file SIZE DIGEST", a link as "link -> TARGET" (never followed), a FIFO
// as "fifo", anything else as "other". Two equal states mean the same names with the same
// bytes.
using FolderState = std::map<std::string, std::string>;
FolderState folder_state(const std::string& folder);
// The entries of a state, one per line, for a failure message.
std::string describe(const FolderState& state);
void write_bytes(const std::string& path, const std::string& bytes);
bool exists(const std::string& path);

struct ProgramResult {
  int status = -1;         // exit status, or -1 when the program did not exit normally
  int signal = 0;          // the signal that ended the program, or 0
  bool timed_out = false;  // killed because it ran past its time-out
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

// Conditions for the program run by run_program (the first three not on Windows).
struct RunLimits {
  // The largest file the program may write, in bytes (RLIMIT_FSIZE): a write beyond it fails.
  std::optional<std::uint64_t> file_size;
  // The most files the program may hold open at once (RLIMIT_NOFILE): an open beyond it fails.
  std::optional<int> open_files;
  // Run the program as the user "nobody" when the tests run as root, for whom file and
  // folder permissions are not enforced.
  bool unprivileged = false;
  // The locale the program runs in (LC_ALL), which tells it whether its output is read as
  // UTF-8; the tests themselves, and so every program they run, are in "C.UTF-8" otherwise.
  // Windows has no locale variables: there the output is read as UTF-8.
  std::optional<std::string> locale;
  // The longest the program may run, in seconds; it is killed (SIGKILL) after that, so that
  // no test waits for a program that hangs.
  double timeout = 60;
};

// A run of the program in progress: started by the constructor, ended by wait() (or killed
// and reaped when the object goes away first).
class RunningProgram {
 public:
  RunningProgram(const std::vector<std::string>& args, const std::string& cwd,
                 const std::string& program = SB_PROGRAM, const RunLimits& limits = {});
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  int pid() const { return pid_; }
  // True once the program has ended (it is still to be waited for).
  bool ended() const;
  // Sends `sig` to the program (nothing once it has been waited for). Windows has no signals:
  // there the program is ended as SIGKILL would.
  void send(int sig);
  // What the program has written on standard error so far, as written.
  std::string err_so_far() const { return read_bytes(capture_.file("err")); }
  // Waits until the program ends or its time-out passes, and collects what it printed.
  ProgramResult wait();

 private:
  TempDir capture_;
  double timeout_;
  int pid_ = -1;
  std::intptr_t handle_ = -1;  // the process's handle on Windows
};

// Runs the built scenario_builder (or `program`) with `args` in the folder `cwd` and waits
// for it. A program that could not be started exits with 127. On Windows the program's text
// output is read as text: its line ends come back as "\n".
ProgramResult run_program(const std::vector<std::string>& args, const std::string& cwd,
                          const std::string& program = SB_PROGRAM, const RunLimits& limits = {});

// This process's number, the number of another process that runs, and of one that has ended.
long current_process_id();
long running_process_id();
long ended_process_id();

// True when the system creates files without a name in `folder` (Linux's O_TMPFILE).
bool unnamed_files_supported(const std::string& folder);

// Names of the entries in `folder`, sorted.
std::vector<std::string> entries_of(const std::string& folder);

// Copies the built program into `folder` under its own file name; returns the copy's path.
std::string copy_program(const std::string& folder);

// A scenario with the built-in names whose source and output folders are `folder`.
Scenario builtin_scenario(const std::string& folder);

// Joins lines with CR LF after each one, as the scenario text files are written.
std::string crlf(const std::vector<std::string>& lines);

}  // namespace sb::test
