// The five scenario text files as files: their names, sizes and line counts, their
// replacement, the order in which a run writes them, and what a run of the program leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "platform/platform_error.h"
#include "platform/printable_text.h"
#include "test_support.h"
#include "text_file_lines.h"
#include "writers/builtin_sources.h"
#include "writers/line_table.h"

namespace sb::test {
namespace {

struct SourceFile {
  const char* name;
  const char* leaf;
  void (*writer)(const Scenario&);
  std::size_t size;
  std::size_t lines;
};

// In the order of a run.
const SourceFile kSourceFiles[] = {
    {"LineFile", "Roccalta_ Valfiorita_linea.txt", dati_linea, 1031, 36},
    {"TrainFile", "Roccalta_ Valfiorita_LINEA 7-.txt", dati_treno, 2181, 37},
    {"NotesFile", "Roccalta_ Valfiorita_LINEA 7_note.txt", dati_note, 0, 0},
    {"SlowOrderFile", "Roccalta_ Valfiorita_LINEA 7_rallentamenti.txt", dati_rallentamenti, 0, 0},
    {"TrainCard", "Roccalta_ Valfiorita_LINEA 7_scheda_treno.txt", dati_scheda, 3818, 50},
};

void PrintTo(const SourceFile& f, std::ostream* os) {
  *os << '"' << f.leaf << '"';
}

bool printable_ascii(const std::string& line) {
  for (const char c : line) {
    if (c < 0x20 || c > 0x7e) return false;
  }
  return true;
}

class SourceFileTest : public ::testing::TestWithParam<SourceFile> {};

TEST_P(SourceFileTest, WriterCreatesOnlyItsFileWithItsSizeAndLines) {
  const SourceFile& f = GetParam();
  TempDir dir;
  f.writer(builtin_scenario(dir.path()));

  ASSERT_EQ(dir.entries(), std::vector<std::string>{f.leaf});
  const std::string bytes = read_bytes(dir.file(f.leaf));
  EXPECT_EQ(bytes.size(), f.size);
  const auto lines = crlf_lines(bytes);
  EXPECT_EQ(lines.size(), f.lines);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_TRUE(printable_ascii(lines[i])) << "line " << i;
    EXPECT_NE(lines[i], kEndMarker) << "line " << i;
  }
  EXPECT_EQ(bytes.find(kEndMarker), std::string::npos);
}

TEST_P(SourceFileTest, WriterReplacesWhateverTheFolderHeld) {
  const SourceFile& f = GetParam();
  TempDir fresh;
  f.writer(builtin_scenario(fresh.path()));
  const std::string expected = read_bytes(fresh.file(f.leaf));

  // Longer than any of the files, made of lines, so that a left-over tail would show.
  std::string old;
  for (int i = 0; i < 200; ++i) old += "riga vecchia, " + std::to_string(i) + "\r\n";
  TempDir dir;
  write_bytes(dir.file(f.leaf), old);
  const Scenario s = builtin_scenario(dir.path());
  f.writer(s);
  EXPECT_EQ(read_bytes(dir.file(f.leaf)), expected);
  // A second call writes the same bytes again.
  f.writer(s);
  EXPECT_EQ(read_bytes(dir.file(f.leaf)), expected);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{f.leaf});
}

INSTANTIATE_TEST_SUITE_P(BuiltinScenario, SourceFileTest, ::testing::ValuesIn(kSourceFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SourceFiles, LastLineOfLineAndTrainFileIsFine) {
  TempDir dir;
  const Scenario s = builtin_scenario(dir.path());
  dati_linea(s);
  dati_treno(s);
  for (const char* leaf : {kSourceFiles[0].leaf, kSourceFiles[1].leaf}) {
    const std::string bytes = read_bytes(dir.file(leaf));
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(bytes.substr(bytes.size() - 8), "[fine]\r\n") << leaf;
  }
}

// When one file cannot be written the run stops there: the files before it are complete and
// the files after it are not written. Blocking each file in turn shows the order of the run.
TEST(SourceFiles, RunWritesInOrderAndStopsAtTheFirstFailure) {
  for (std::size_t blocked = 0; blocked < std::size(kSourceFiles); ++blocked) {
    SCOPED_TRACE(kSourceFiles[blocked].leaf);
    TempDir dir;
    // A folder under the file's name cannot be replaced by a file.
    const std::string blocker = dir.file(kSourceFiles[blocked].leaf);
    ASSERT_TRUE(std::filesystem::create_directory(blocker));
    try {
      write_scenario_sources(builtin_scenario(dir.path()));
      ADD_FAILURE() << "no failure";
    } catch (const PlatformError& e) {
      EXPECT_EQ(e.path(), blocker);
    }
    for (std::size_t i = 0; i < std::size(kSourceFiles); ++i) {
      const std::string path = dir.file(kSourceFiles[i].leaf);
      if (i < blocked) {
        EXPECT_EQ(read_bytes(path).size(), kSourceFiles[i].size) << kSourceFiles[i].leaf;
      } else if (i > blocked) {
        EXPECT_FALSE(exists(path)) << kSourceFiles[i].leaf;
      }
    }
    EXPECT_TRUE(std::filesystem::is_directory(blocker));
    EXPECT_EQ(dir.entries().size(), blocked + 1);
  }
}

// The program writes into the folder that holds it, not into the current directory. The
// train card, the notes file and the slow-order file stay after the run.
TEST(SourceFiles, ProgramReplacesTheLastingFilesInItsOwnFolder) {
  TempDir home;
  TempDir elsewhere;
  const std::string program = home.file("scenario_builder");
  std::filesystem::copy_file(SB_PROGRAM, program);
  const std::string card = home.file(kSourceFiles[4].leaf);
  const std::string notes = home.file(kSourceFiles[2].leaf);
  const std::string slow = home.file(kSourceFiles[3].leaf);
  write_bytes(card, "vecchia scheda\r\n");
  write_bytes(notes, "nota\r\n");

  const auto first = run_program({}, elsewhere.path(), program);
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.err.rfind("Attendere\n", 0), 0u) << first.err;
  EXPECT_TRUE(elsewhere.entries().empty());
  const std::string card_bytes = read_bytes(card);
  EXPECT_EQ(card_bytes.size(), 3818u);
  EXPECT_EQ(read_bytes(notes), "");
  EXPECT_EQ(read_bytes(slow), "");

  const auto second = run_program({}, elsewhere.path(), program);
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(second.err, "Attendere\n");
  EXPECT_EQ(read_bytes(card), card_bytes);
  EXPECT_EQ(read_bytes(notes), "");
  EXPECT_EQ(read_bytes(slow), "");
  // The line and train files are read back and deleted: the program, the card, the two empty
  // files and the three binary files are all that stays.
  std::vector<std::string> expected = {"scenario_builder",
                                       kSourceFiles[2].leaf,
                                       kSourceFiles[3].leaf,
                                       kSourceFiles[4].leaf,
                                       "Roccalta_ Valfiorita_linea.dat",
                                       "Roccalta_ Valfiorita_LINEA 7.sim",
                                       "Roccalta_ Valfiorita_LINEA 7.dat"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(home.entries(), expected);
}

TEST(SourceFiles, ProgramReportsAFileItCannotWrite) {
  TempDir home;
  TempDir elsewhere;
  const std::string program = home.file("scenario_builder");
  std::filesystem::copy_file(SB_PROGRAM, program);
  const std::string card = home.file(kSourceFiles[4].leaf);
  ASSERT_TRUE(std::filesystem::create_directory(card));

  const auto r = run_program({}, elsewhere.path(), program);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(echoed(card)), std::string::npos) << r.err;
}

}  // namespace
}  // namespace sb::test
