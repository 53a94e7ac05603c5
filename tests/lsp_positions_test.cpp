// An editor's text and its file: UTF-16 columns against the bytes of the file in
// Windows-1252, both ways, and the edits an editor sends.
#include <gtest/gtest.h>

#include <string>

#include "driver/lsp/documents.h"
#include "driver/lsp/source_files.h"
#include "driver/lsp/text_positions.h"

namespace sb::test {
namespace {

// "Città € 😀 x": à and € are one byte each in the file; the emoji, which the code page cannot
// hold, leaves its line in UTF-8 (four bytes, two UTF-16 units).
TEST(LspPositions, ColumnsConvertBetweenFileBytesAndUtf16Units) {
  const std::string single = "citt\xC3\xA0 \xE2\x82\xAC x";  // città € x
  const struct {
    std::int64_t bytes, units;
  } single_cases[] = {{0, 0}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}, {9, 9}, {99, 9}};
  for (const auto& c : single_cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(utf16_column(single, c.bytes), c.units);
    if (c.bytes <= 9) {
      EXPECT_EQ(file_column(single, c.units), c.bytes);
    }
  }
  EXPECT_EQ(to_file_text(single), "citt\xE0 \x80 x");

  const std::string wide = "citt\xC3\xA0 \xF0\x9F\x98\x80 x";  // città 😀 x: stays UTF-8
  EXPECT_EQ(to_file_text(wide), wide);
  const struct {
    std::int64_t bytes, units;
  } wide_cases[] = {{4, 4}, {6, 5}, {7, 6}, {11, 8}, {12, 9}};
  for (const auto& c : wide_cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(utf16_column(wide, c.bytes), c.units);
    EXPECT_EQ(file_column(wide, c.units), c.bytes);
  }
}

TEST(LspPositions, OnlyTheLineWithAnUnheldCharacterStaysUtf8) {
  EXPECT_EQ(to_file_text("\xC3\xA0\r\n\xE2\x9C\x93 \xC3\xA0\n\xC3\xA8"),
            "\xE0\r\n\xE2\x9C\x93 \xC3\xA0\n\xE8");
  EXPECT_EQ(from_file_text("citt\xE0 \x80\x81"), "citt\xC3\xA0 \xE2\x82\xAC\xC2\x81");
}

TEST(LspPositions, OffsetsAndPositionsOfAText) {
  const std::string text = "ab\r\n\xF0\x9F\x98\x80z\n\nlast";
  const struct {
    TextPosition p;
    std::size_t offset;
  } cases[] = {
      {{0, 0}, 0},  {{0, 2}, 2},  {{0, 9}, 2},  // past the line's end: at its end
      {{1, 0}, 4},  {{1, 1}, 4},                // inside a surrogate pair: its start
      {{1, 2}, 8},  {{1, 3}, 9},  {{2, 0}, 10},
      {{3, 4}, 15}, {{9, 0}, 15},  // past the last line: the end
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.p.line) + ":" + std::to_string(c.p.character));
    EXPECT_EQ(utf8_offset(text, c.p), c.offset);
  }
  EXPECT_EQ(position_of(text, 9).line, 1);
  EXPECT_EQ(position_of(text, 9).character, 3);
  const LineIndex lines(text);
  for (const std::int64_t n : {-1, 0, 1, 2, 3, 4, 99}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(lines.line(n), n < 0 ? line_of(text, 0) : line_of(text, n));
  }
  EXPECT_EQ(line_of(text, 0), "ab");
  EXPECT_EQ(line_of(text, 2), "");
  EXPECT_EQ(line_of(text, 3), "last");
  EXPECT_EQ(line_of(text, 4), "");
}

TEST(LspPositions, IncrementalAndFullChangesApply) {
  std::string text = "segnale, 10\r\nvelocita, 0, 80\n";
  apply_change(text, parse_json(R"({"range":{"start":{"line":1,"character":13},
      "end":{"line":1,"character":15}},"text":"\u00e0\ud83d\ude00"})"));
  EXPECT_EQ(text, "segnale, 10\r\nvelocita, 0, \xC3\xA0\xF0\x9F\x98\x80\n");
  // After the emoji (two units) comes the line end.
  apply_change(text, parse_json(R"({"range":{"start":{"line":1,"character":16},
      "end":{"line":2,"character":0}},"text":"!"})"));
  EXPECT_EQ(text, "segnale, 10\r\nvelocita, 0, \xC3\xA0\xF0\x9F\x98\x80!");
  apply_change(text, parse_json(R"({"text":"new"})"));
  EXPECT_EQ(text, "new");
  EXPECT_THROW(apply_change(text, parse_json(R"({"range":{}})")), std::runtime_error);
}

TEST(LspSourceFiles, FileNamesTellTheKindsApart) {
  const struct {
    const char* path;
    SourceKind kind;
    const char* folder;
    const char* scenario;
    const char* line;
  } cases[] = {
      {"/w/Monte_linea.txt", SourceKind::kLine, "/w/", "Monte", ""},
      {"/w/Monte_L1-.txt", SourceKind::kTrain, "/w/", "Monte", "L1"},
      {"Monte_L 1_x-.txt", SourceKind::kTrain, "", "Monte", "L 1_x"},
      {"C:\\w\\A_B-.txt", SourceKind::kTrain, "C:\\w\\", "A", "B"},
      {"/w/_linea.txt", SourceKind::kOther, "/w/", "", ""},
      {"/w/notes.txt", SourceKind::kOther, "/w/", "", ""},
      {"/w/Monte-.txt", SourceKind::kOther, "/w/", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const SourceName n = source_name(c.path);
    EXPECT_EQ(n.kind, c.kind);
    EXPECT_EQ(n.folder, c.folder);
    EXPECT_EQ(n.scenario, c.scenario);
    EXPECT_EQ(n.line, c.line);
  }
  // The scenario name holds "_" when a line file of that longer name is known.
  const SourceName longer = source_name(
      "/w/Val_Verde_L1-.txt", [](const std::string& p) { return p == "/w/Val_Verde_linea.txt"; });
  EXPECT_EQ(longer.scenario, "Val_Verde");
  EXPECT_EQ(longer.line, "L1");
}

TEST(LspSourceFiles, UrisAndPathsConvertBothWays) {
  EXPECT_EQ(path_of_uri("file:///home/a%20b/Citt%C3%A0_linea.txt"),
            "/home/a b/Citt\xC3\xA0_linea.txt");
  EXPECT_EQ(path_of_uri("file:///c%3A/w/x.txt"), "c:/w/x.txt");
  EXPECT_EQ(path_of_uri("file://localhost/x"), "/x");
  EXPECT_EQ(path_of_uri("untitled:1"), std::nullopt);
  EXPECT_EQ(path_of_uri("file://server/share/x"), std::nullopt);
  for (const std::string path : {"/home/a b/Citt\xC3\xA0_L#1-.txt", "/x%y/z"}) {
    EXPECT_EQ(path_of_uri(uri_of_path(path)), path);
  }
}

}  // namespace
}  // namespace sb::test
