// The built-in run of the program copied into a folder of its own and started from another
// folder leaves its six files beside the program, byte for byte the same on every system the
// program is built for: the sizes and digests below are those of the Linux build's files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"
#include "test_support.h"

namespace sb::test {
namespace {

struct RecordedFile {
  const char* leaf;
  std::size_t size;
  std::uint64_t digest;
};

const RecordedFile kSixFiles[] = {
    {"Roccalta_ Valfiorita_LINEA 7_scheda_treno.txt", 3818, 0xa54e6fd4076857a0ull},
    {"Roccalta_ Valfiorita_LINEA 7_note.txt", 0, 0xcbf29ce484222325ull},
    {"Roccalta_ Valfiorita_LINEA 7_rallentamenti.txt", 0, 0xcbf29ce484222325ull},
    {"Roccalta_ Valfiorita_linea.dat", 499964, 0x9469903ced3c494bull},
    {"Roccalta_ Valfiorita_LINEA 7.sim", 3225, 0x33ce3a7b0018c37aull},
    {"Roccalta_ Valfiorita_LINEA 7.dat", 7515, 0xdd3ff0f82b64d1ccull},
};

TEST(ProgramCopy, BuiltinRunLeavesTheSixRecordedFilesBesideTheProgram) {
  TempDir root;
  TempDir elsewhere;
  // A folder whose name has blanks and a letter outside ASCII.
  const std::string home = root.file("Scenari di prova \xC3\xA8");
  std::filesystem::create_directory(fs_path(home));
  const std::string exe = copy_program(home);

  const auto r = run_program({}, elsewhere.path(), exe);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "Attendere\n");
  EXPECT_TRUE(elsewhere.entries().empty());
  std::vector<std::string> expected = {utf8_path(fs_path(exe).filename())};
  for (const RecordedFile& f : kSixFiles) expected.push_back(f.leaf);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(entries_of(home), expected);
  for (const RecordedFile& f : kSixFiles) {
    SCOPED_TRACE(f.leaf);
    const std::string path = join_path(home, f.leaf);
    ASSERT_TRUE(exists(path));
    const std::string bytes = read_bytes(path);
    EXPECT_EQ(bytes.size(), f.size);
    EXPECT_EQ(digest(bytes), f.digest) << std::hex << digest(bytes);  // FNV-1a
  }
}

}  // namespace
}  // namespace sb::test
