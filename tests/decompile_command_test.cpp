// The `decompile` command: the files it writes compile to the same bytes; what it cannot give
// back is a warning with exit status 1; damaged input is an error naming the file and the
// byte, and existing text files stay unless --force.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "author_fixture.h"
#include "test_support.h"

namespace sb::test {
namespace {

const std::string kLineText = "Collina_linea.txt";
const std::string kTrainText = "Collina_L2-.txt";
const std::string kRoute = "Collina_linea.dat";
const std::string kStations = "Collina_L2.sim";
const std::string kTrack = "Collina_L2.dat";

ProgramResult decompile(const TempDir& dir, std::vector<std::string> options) {
  std::vector<std::string> args = {"decompile"};
  args.insert(args.end(), options.begin(), options.end());
  args.push_back(kAuthorScenario);
  args.push_back(kAuthorLine);
  return run_program(args, dir.path());
}

// A folder holding only the compiled files of the author's fixture.
void compiled_only(const TempDir& dir, const std::vector<std::string>& compile_options = {}) {
  for (const std::string& leaf : {kLineText, kTrainText}) {
    write_bytes(dir.file(leaf), read_bytes(std::string(SB_FIXTURES) + "/author/" + leaf));
  }
  std::vector<std::string> args = {"compile"};
  args.insert(args.end(), compile_options.begin(), compile_options.end());
  args.push_back(kAuthorScenario);
  args.push_back(kAuthorLine);
  ASSERT_EQ(run_program(args, dir.path()).status, 0);
  std::filesystem::remove(fs_path(dir.file(kLineText)));
  std::filesystem::remove(fs_path(dir.file(kTrainText)));
}

// Compiles the text files in `from` into `to` and compares the compiled files with `reference`.
void expect_same_compiled_files(const TempDir& reference, const std::string& from,
                                const std::vector<std::string>& leaves, bool geometry = true) {
  TempDir to;
  std::vector<std::string> args = {"compile", "--dir", from, "--out", to.path()};
  if (!geometry) args.push_back("--no-geometry");
  args.push_back(kAuthorScenario);
  args.push_back(kAuthorLine);
  const ProgramResult r = run_program(args, to.path());
  ASSERT_EQ(r.status, 0) << r.err;
  for (const std::string& leaf : leaves) {
    EXPECT_EQ(read_bytes(to.file(leaf)), read_bytes(reference.file(leaf))) << leaf;
  }
}

TEST(DecompileCommand, WritesFilesThatCompileToTheSameBytesIntoANewFolder) {
  TempDir dir;
  compiled_only(dir);
  const std::string out = dir.file("recovered/sources");
  const ProgramResult r = decompile(dir, {"--out", out});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  expect_same_compiled_files(dir, out, {kRoute, kStations, kTrack});
  const ProgramResult check = decompile(dir, {"--check"});
  EXPECT_EQ(check.status, 0) << check.err;
  EXPECT_EQ(check.out, "decompiled files compile to the same bytes\n");
}

TEST(DecompileCommand, BuiltInRunRoundTrips) {
  TempDir dir;
  ASSERT_EQ(run_program({"--dir", dir.path()}, dir.path()).status, 0);
  const ProgramResult r =
      run_program({"decompile", "--check", "Roccalta_ Valfiorita", "LINEA 7"}, dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "decompiled files compile to the same bytes\n");
}

TEST(DecompileCommand, ExistingTextFilesAreReplacedOnlyWithForce) {
  TempDir dir;
  compiled_only(dir);
  write_bytes(dir.file(kTrainText), "mine\r\n");
  const ProgramResult r = decompile(dir, {});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(kTrainText), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("--force"), std::string::npos) << r.err;
  EXPECT_EQ(read_bytes(dir.file(kTrainText)), "mine\r\n");
  EXPECT_FALSE(exists(dir.file(kLineText)));

  const ProgramResult forced = decompile(dir, {"--force"});
  ASSERT_EQ(forced.status, 0) << forced.err;
  EXPECT_NE(read_bytes(dir.file(kTrainText)), "mine\r\n");
  EXPECT_TRUE(exists(dir.file(kLineText)));
}

TEST(DecompileCommand, WithoutRouteMatrixWarnsAndWritesNoCurves) {
  TempDir dir;
  compiled_only(dir, {"--no-geometry"});
  const std::string out = dir.file("out");
  const ProgramResult r = decompile(dir, {"--out", out});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("warning: there is no route matrix file"), std::string::npos) << r.err;
  EXPECT_EQ(read_bytes(out + "/" + kLineText).find("curva"), std::string::npos);
  expect_same_compiled_files(dir, out, {kStations, kTrack}, false);
}

// Each edit is one no source can make: the command warns at the place, still writes the files
// and exits with 1; --check names the place too.
TEST(DecompileCommand, HandEditedFilesWarnAtThePlace) {
  struct Case {
    std::string file;
    std::size_t offset;
    char byte;
    std::string said;
  } cases[] = {
      // The approach mark of cell 40, which no signal or station marks.
      {kTrack, 40 * 15 + 10, 77, "the track file, cell 40 (1950 to 2000 m), field approach_mark"},
      // The gradient of the last cell, which the reader never fills.
      {kTrack, std::string::npos, 5, "field gradient"},
      // The lowest bit of metre 500's first coordinate in the route plan.
      {kRoute, 8 + 10 * 498 + 2, 1, "that no curve entry makes (metre 500"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.said);
    TempDir dir;
    compiled_only(dir);
    std::string bytes = read_bytes(dir.file(c.file));
    const std::size_t at = c.offset == std::string::npos ? bytes.size() - 15 + 13 : c.offset;
    bytes[at] = static_cast<char>(bytes[at] ^ c.byte);
    write_bytes(dir.file(c.file), bytes);
    const ProgramResult r = decompile(dir, {});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
    EXPECT_TRUE(exists(dir.file(kLineText)));
    const ProgramResult check = decompile(dir, {"--check"});
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.out.find("decompiled files compile to other bytes: the "), std::string::npos)
        << check.out;
  }
}

TEST(DecompileCommand, ForcedCompileAfterAFaultWarns) {
  TempDir dir;
  const std::string line =
      "[generale]\r\nlunghezza percorso, 5000\r\nprogressiva chilometrica uno, 0, 25, 0\r\n"
      "[fine]\r\n";
  const std::string train =
      "[generale]\r\nvelocita, 0, 30\r\naderenza, 0, 100\r\nstazione, 1000, 22, 300, 0, 0, 0, "
      "0,0,0, 0,0,0, 1, 12, 0, 0, A\r\n[fine]\r\n";
  write_bytes(dir.file("Collina_linea.txt"), line);
  write_bytes(dir.file("Collina_L2-.txt"), train);
  ASSERT_EQ(run_program({"compile", "--force", kAuthorScenario, kAuthorLine}, dir.path()).status,
            1);
  const ProgramResult r = decompile(dir, {"--out", dir.file("out")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("compiling the decompiled files reports fault 2"), std::string::npos)
      << r.err;
}

TEST(DecompileCommand, DamagedInputIsAnErrorAndNothingIsWritten) {
  struct Case {
    std::string file;
    std::size_t cut;  // bytes taken off the end
    std::string said;
  } cases[] = {
      {kTrack, 7, "Collina_L2.dat\": malformed track file at byte"},
      {kTrack, 15, "the file holds 280 cells, but the route length of 7000 m"},
      {kStations, 3, "Collina_L2.sim\": malformed station file at byte"},
      {kRoute, 4, "malformed route matrix file at byte"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.said);
    TempDir dir;
    compiled_only(dir);
    const std::string bytes = read_bytes(dir.file(c.file));
    write_bytes(dir.file(c.file), bytes.substr(0, bytes.size() - c.cut));
    const FolderState before = folder_state(dir.path());
    const ProgramResult r = decompile(dir, {});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
    EXPECT_EQ(folder_state(dir.path()), before);
  }
}

}  // namespace
}  // namespace sb::test
