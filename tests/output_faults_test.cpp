// Output files that cannot be written: the run stops with exit status 2 and a message naming
// the file and saying that no compiled file was changed; all three old files stay byte for
// byte as they were, whichever of them failed, and no temporary file is left in the folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/printable_text.h"
#include "test_support.h"

namespace sb::test {
namespace {

const std::string kScenario = "Roccalta_ Valfiorita";
const std::string kLine = "LINEA 7";
// In the order a run writes them.
const std::vector<std::string> kOutputs = {"Roccalta_ Valfiorita_linea.dat",
                                           "Roccalta_ Valfiorita_LINEA 7.sim",
                                           "Roccalta_ Valfiorita_LINEA 7.dat"};
constexpr std::size_t kRoute = 0, kStations = 1, kTrack = 2;

// The built-in scenario's text files in `dir`, ready to be compiled.
void write_sources(const TempDir& dir) {
  const auto r = run_program({"sources", "--dir", dir.path()}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
}

ProgramResult compile(const TempDir& dir, bool geometry, const RunLimits& limits = {}) {
  std::vector<std::string> args{"compile", "--dir", dir.path()};
  if (!geometry) args.push_back("--no-geometry");
  args.push_back(kScenario);
  args.push_back(kLine);
  return run_program(args, dir.path(), SB_PROGRAM, limits);
}

// The three files as a run without faults writes them.
std::vector<std::string> reference_outputs() {
  TempDir ref;
  write_sources(ref);
  const auto r = compile(ref, true);
  EXPECT_EQ(r.status, 0) << r.err;
  std::vector<std::string> bytes;
  for (const std::string& leaf : kOutputs) bytes.push_back(read_bytes(ref.file(leaf)));
  return bytes;
}

// Files of an earlier run, each larger than what replaces it.
std::string old_content(std::size_t k) {
  return std::string(600000, static_cast<char>('a' + k));
}

std::set<std::string> entries_of(const TempDir& dir) {
  const auto names = dir.entries();
  return {names.begin(), names.end()};
}

enum class Blocker { kDirectory, kSizeLimit, kReadOnlyFolder };

struct OutputFault {
  const char* name;
  bool geometry;
  std::size_t failing;  // the file whose write fails
  Blocker blocker;
  const char* reason;  // the system's words for the failure, part of the message
};

// Runs the compilation with one output file blocked and checks what the folder holds after.
void check_fault(const OutputFault& f) {
  static const std::vector<std::string> fresh = reference_outputs();
  ASSERT_EQ(fresh.size(), kOutputs.size());
  const auto written = [&](std::size_t k) { return f.geometry || k != kRoute; };

  TempDir dir;
  write_sources(dir);
  for (std::size_t k = 0; k < kOutputs.size(); ++k) {
    if (f.blocker == Blocker::kDirectory && k == f.failing) {
      ASSERT_TRUE(std::filesystem::create_directory(dir.file(kOutputs[k])));
    } else {
      write_bytes(dir.file(kOutputs[k]), old_content(k));
    }
  }
  const std::set<std::string> before = entries_of(dir);

  RunLimits limits;
  if (f.blocker == Blocker::kSizeLimit) {
    // Larger than every file written before the failing one, smaller than the failing one:
    // its write fails part-way.
    limits.file_size = fresh[f.failing].size() / 2;
    for (std::size_t k = 0; k < f.failing; ++k) {
      if (written(k)) {
        ASSERT_LT(fresh[k].size(), *limits.file_size) << kOutputs[k];
      }
    }
  }
  if (f.blocker == Blocker::kReadOnlyFolder) {
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    limits.unprivileged = true;
  }
  const ProgramResult r = compile(dir, f.geometry, limits);
  if (f.blocker == Blocker::kReadOnlyFolder) {
    ASSERT_EQ(::chmod(dir.path().c_str(), 0700), 0);
    if (r.status == 127) GTEST_SKIP() << "the program cannot be run as an unprivileged user here";
  }

  EXPECT_EQ(r.status, 2) << r.err;
  const std::string failing_path = dir.file(kOutputs[f.failing]);
  EXPECT_NE(r.err.find(echoed(failing_path) + ": " + f.reason + "; no compiled file was changed"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(entries_of(dir), before);  // no temporary file left
  for (std::size_t k = 0; k < kOutputs.size(); ++k) {
    SCOPED_TRACE(kOutputs[k]);
    const std::string path = dir.file(kOutputs[k]);
    if (k == f.failing && f.blocker == Blocker::kDirectory) {
      EXPECT_TRUE(std::filesystem::is_directory(path));
    } else {
      EXPECT_TRUE(read_bytes(path) == old_content(k));  // untouched, whichever file failed
    }
  }
}

TEST(OutputFaults, DirectoryInPlaceOfAFileOrAFileSizeLimit) {
  const OutputFault faults[] = {
      {"directory in place of the route matrix file", true, kRoute, Blocker::kDirectory,
       "Is a directory"},
      {"directory in place of the station file", true, kStations, Blocker::kDirectory,
       "Is a directory"},
      {"directory in place of the track file", true, kTrack, Blocker::kDirectory, "Is a directory"},
      {"size limit cutting the route matrix file", true, kRoute, Blocker::kSizeLimit,
       "File too large"},
      {"size limit cutting the track file after the station file", false, kTrack,
       Blocker::kSizeLimit, "File too large"},
  };
  for (const OutputFault& f : faults) {
    if (kWindows && f.blocker == Blocker::kSizeLimit) continue;
    SCOPED_TRACE(f.name);
    check_fault(f);
  }
  if (kWindows) GTEST_SKIP() << "the size limit cases: Windows has no file size limit per process";
}

// Root ignores folder permissions, so as root the program runs as an unprivileged user.
TEST(OutputFaults, FolderNotWritable) {
  if (kWindows) GTEST_SKIP() << "Windows has no folder modes";
  check_fault({"folder not writable", true, kRoute, Blocker::kReadOnlyFolder, "Permission denied"});
}

// A file is replaced by a new one, never rewritten in place: whoever still holds the old file
// (here a second name for it) keeps it whole.
TEST(OutputFaults, ReplacementLeavesTheOldFileWholeForItsHolders) {
  TempDir dir;
  const std::string path = dir.file("table.dat");
  const std::string held = dir.file("held.dat");
  write_bytes(path, "old content, longer than the new one");
  std::filesystem::create_hard_link(fs_path(path), fs_path(held));
  write_file(path, "new");
  EXPECT_EQ(read_bytes(path), "new");
  EXPECT_EQ(read_bytes(held), "old content, longer than the new one");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"held.dat", "table.dat"}));
}

// Whatever already stands under the name the temporary file would take, a file or a link to
// another file, is neither overwritten nor written through.
TEST(OutputFaults, TemporaryNameInUseIsLeftAlone) {
  TempDir dir;
  const std::string path = dir.file("table.dat");
  const std::string temp = path + ".tmp" + std::to_string(::getpid());
  const std::string target = dir.file("elsewhere.dat");
  write_bytes(temp, "someone else's file");
  write_bytes(target, "a file the link points to");
  std::error_code ec;
  std::filesystem::create_symlink(fs_path(target), fs_path(temp + ".1"), ec);
  if (ec) GTEST_SKIP() << "no symbolic link can be made here: " << ec.message();
  write_file(path, "new");
  EXPECT_EQ(read_bytes(path), "new");
  EXPECT_EQ(read_bytes(temp), "someone else's file");
  EXPECT_EQ(read_bytes(target), "a file the link points to");
  EXPECT_EQ(dir.entries().size(), 4u);
}

}  // namespace
}  // namespace sb::test
