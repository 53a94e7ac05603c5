// Replacing a file piece by piece: the old content stays whole until the new one is committed.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/platform_error.h"
#include "test_support.h"

namespace sb::test {
namespace {

TEST(ReplacementFile, CommitReplacesTheWholeFile) {
  TempDir dir;
  const std::string path = dir.file("route.dat");
  write_bytes(path, std::string(1000, 'x'));
  {
    ReplacementFile file(path);
    file.write("abc");
    file.write("");
    file.write("de");
    file.commit();
  }
  EXPECT_EQ(read_bytes(path), "abcde");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"route.dat"});
}

TEST(ReplacementFile, UncommittedReplacementLeavesTheOldFile) {
  TempDir dir;
  const std::string path = dir.file("route.dat");
  write_bytes(path, "old content");
  {
    ReplacementFile file(path);
    file.write("new");
  }
  EXPECT_EQ(read_bytes(path), "old content");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"route.dat"});
}

TEST(ReplacementFile, FailureNamesTheFileAndLeavesNothingBehind) {
  TempDir dir;
  const std::string path = dir.file("missing/route.dat");
  try {
    ReplacementFile file(path);
    FAIL() << "a file in a missing folder was created";
  } catch (const PlatformError& e) {
    EXPECT_EQ(e.path(), path);
  }
  EXPECT_TRUE(dir.entries().empty());
}

TEST(ReplacementFile, WritingAfterCommitIsRefused) {
  TempDir dir;
  ReplacementFile file(dir.file("a.dat"));
  file.commit();
  EXPECT_THROW(file.write("x"), PlatformError);
  EXPECT_THROW(file.commit(), PlatformError);
  EXPECT_EQ(read_bytes(dir.file("a.dat")), "");
}

}  // namespace
}  // namespace sb::test
