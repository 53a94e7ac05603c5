// The writing procedure shared by the scenario text file writers: the line table, its end
// marker and its capacity, and the replacement of the file on disk.
#include "writers/line_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform_error.h"
#include "platform/printable_text.h"
#include "test_support.h"

namespace sb::test {
namespace {

struct TextCase {
  const char* name;
  std::vector<std::string_view> lines;
  std::string bytes;
};

TEST(LineTable, WritesEveryLineWithCarriageReturnAndLineFeed) {
  const TextCase cases[] = {
      {"no line at all", {}, ""},
      {"one empty line", {""}, "\r\n"},
      {"empty line between two", {"a", "", "b"}, "a\r\n\r\nb\r\n"},
      {"leading, inner and trailing spaces kept", {"  x ,   y  "}, "  x ,   y  \r\n"},
      {"marker in other case is ordinary text",
       {"Riferimento fine del file"},
       "Riferimento fine del file\r\n"},
      {"marker with a trailing space is ordinary text",
       {"riferimento fine del file "},
       "riferimento fine del file \r\n"},
      {"marker inside a longer line is ordinary text",
       {"x riferimento fine del file", "[fine]"},
       "x riferimento fine del file\r\n[fine]\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LineTable(c.lines).text(), c.bytes) << c.name;
  }
}

TEST(LineTable, HoldsAThousandLinesAndNoMore) {
  const std::vector<std::string_view> full(kLineTableSlots - 1, "x");
  const std::string text = LineTable(full).text();
  EXPECT_EQ(text.size(), 3000u);
  EXPECT_EQ(text.substr(text.size() - 6), "x\r\nx\r\n");

  const std::vector<std::string_view> over(kLineTableSlots, "x");
  EXPECT_THROW(LineTable{over}, std::length_error);
}

// A content line equal to the end marker would close the table early and every line after
// it would be lost without a word; such a table is refused instead.
TEST(LineTable, RefusesALineEqualToTheEndMarker) {
  const std::vector<std::vector<std::string_view>> tables = {
      {kEndMarker},
      {"[generale]", kEndMarker, "[fine]"},
      {"[generale]", "[fine]", kEndMarker},
  };
  for (const auto& lines : tables) {
    EXPECT_THROW(LineTable{lines}, std::invalid_argument) << lines.size() << " lines";
  }
}

TEST(WriteTextFile, RefusedTableLeavesTheOldFileUntouched) {
  TempDir dir;
  const std::string path = dir.file("scenario_linea.txt");
  write_bytes(path, "old content\r\n");
  const std::vector<std::string_view> lines = {"[generale]", kEndMarker, "[fine]"};
  EXPECT_THROW(write_text_file(path, lines), std::invalid_argument);
  EXPECT_EQ(read_bytes(path), "old content\r\n");
}

TEST(WriteTextFile, ReplacesALongerFileAndCreatesAMissingOne) {
  TempDir dir;
  const std::string old_path = dir.file("old file.txt");
  write_bytes(old_path, std::string(5000, 'z') + "\r\n");
  const std::string new_path = dir.file("new file-.txt");
  const std::vector<std::string_view> lines = {"[generale]", "", "[fine]"};

  write_text_file(old_path, lines);
  write_text_file(new_path, lines);

  EXPECT_EQ(read_bytes(old_path), "[generale]\r\n\r\n[fine]\r\n");
  EXPECT_EQ(read_bytes(new_path), "[generale]\r\n\r\n[fine]\r\n");
  // Nothing but the two files is left behind in the folder.
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"new file-.txt", "old file.txt"}));
}

TEST(WriteTextFile, EmptyTableTruncatesTheFileToZeroBytes) {
  TempDir dir;
  const std::string path = dir.file("note.txt");
  write_bytes(path, "some notes\r\n");
  write_text_file(path, {});
  EXPECT_EQ(read_bytes(path), "");
}

TEST(WriteTextFile, FailureNamesTheFile) {
  TempDir dir;
  const std::vector<std::string_view> lines = {"[fine]"};
  // A folder that does not exist, and a name taken by a folder.
  const std::string missing = dir.file("no such folder") + "/x_linea.txt";
  const std::string taken = dir.file("x_linea.txt");
  ASSERT_TRUE(std::filesystem::create_directory(taken));
  for (const std::string& path : {missing, taken}) {
    try {
      write_text_file(path, lines);
      ADD_FAILURE() << "no failure for " << path;
    } catch (const PlatformError& e) {
      EXPECT_EQ(e.path(), path);
      // Messages quote paths as they quote every name (a backslash doubled).
      EXPECT_NE(std::string(e.what()).find(echoed(path)), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"x_linea.txt"}));
}

}  // namespace
}  // namespace sb::test
