// Corners where the reader must follow its rules to the letter: the order in which a slow
// order's cells are tested, 32-bit sums, names handed over as UTF-8 on the command line.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "driver/diagnostics.h"
#include "format/station_file.h"
#include "format/track_file.h"
#include "model/code_page.h"
#include "reader_fixture.h"

namespace sb::test {
namespace {

struct ReadingCase {
  const char* what;
  std::vector<std::string> line_body;  // after "lunghezza percorso" and "[curve]"
  std::vector<std::string> train_body;
  std::int32_t route_length;
  std::int32_t code;
  std::int32_t position;  // error_position when code is not 0
  std::string message;    // the fault's message, when code is not 0
};

std::string line_file(std::int32_t length, const std::vector<std::string>& body) {
  std::vector<std::string> lines{"[generale]", "lunghezza percorso, " + std::to_string(length),
                                 "[curve]"};
  lines.insert(lines.end(), body.begin(), body.end());
  lines.push_back("[fine]");
  return crlf(lines);
}

class ReadingCorners : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(ReadingCorners, CodeAndPosition) {
  const ReadingCase& c = GetParam();
  ReaderRun r;
  r.read(line_file(c.route_length, c.line_body), train_file_from_origin(c.train_body));
  EXPECT_EQ(r.s.error_code, c.code);
  if (c.code != 0) {
    EXPECT_EQ(r.s.error_position, c.position);
    ASSERT_NE(r.s.diagnostics.last_fault(), nullptr);
    EXPECT_EQ(diagnostic_message(*r.s.diagnostics.last_fault()), c.message);
  }
}

// A 5000 m line has cells 0 to 240. The slow order at 11800 m has its start in cell 237, its
// end (2000 m on) in cell 277, outside the table, and its warning board in cell 213.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    SlowOrderAndGradient, ReadingCorners,
    ::testing::Values(
        ReadingCase{"warning cell taken before an end cell outside the table", {},
                    {"segnale, 10600, 1,1,1, 1,1, 1, 1,1,1, 0",
                     "rallentamento, 11800, 60, 2000, 1, 0, 0"},
                    5000, 17, 11800,
                    "the slow order's warning-board cell at 10600 to 10650 m already holds an "
                    "object (at 11800 m)"},
        ReadingCase{"start cell taken before an end cell outside the table", {},
                    {"abbattimento, 11850, 0", "rallentamento, 11800, 60, 2000, 1, 0, 0"},
                    5000, 18, 11800,
                    "the slow order's start cell at 11800 to 11850 m already holds an object "
                    "(at 11800 m)"},
        ReadingCase{"end cell outside the table once its own test is reached", {},
                    {"rallentamento, 11800, 60, 2000, 1, 0, 0"}, 5000, 25, 0,
                    "the cell at 13800 to 13850 m lies beyond the end of the track at 12000 m "
                    "(the route's 5000 m and its 7000 m run-out)"},
        ReadingCase{"gradient whose stored sum just fits 32 bits", {"pendenza, 0, 2147483547"},
                    {}, 18000, 0, 0, ""},
        ReadingCase{"gradient whose stored sum passes 32 bits, written by the tail fill",
                    {"pendenza, 0, 2147483548"}, {}, 18000, 25, 0,
                    "the end of the line file fills the cells up to the end of the track with the "
                    "gradient 2147483548, which cannot be stored: plus 100 it does not fit 32 "
                    "bits"},
        ReadingCase{"gradient whose stored sum passes 32 bits, written by the next entry's fill",
                    {"pendenza, 0, 2147483548", "pendenza, 200, 0"}, {}, 18000, 25, 0,
                    "\"pendenza\" at 200 m fills the cells before it with the gradient "
                    "2147483548, which cannot be stored: plus 100 it does not fit 32 bits"}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });
// clang-format on

// A gradient whose stored sum (gradient + 100) passes 32 bits fails only where that sum is
// formed: when its cells receive it, in the fill of the next gradient entry or in the tail
// fill. Until then the reading goes on as for any gradient, so each case compiles (--force)
// to the very bytes of a scenario that reaches the same state without the huge gradient.
struct LateGradientCase {
  const char* what;
  std::vector<std::string> line_body;
  std::vector<std::string> same_outputs_as;  // a line body that must give the same files
  std::int32_t code;
  std::int32_t position;
  std::vector<std::string> digests;  // route, station and track files: "size:FNV-1a"
};

std::string size_and_digest(const std::string& bytes) {
  char text[40];
  std::snprintf(text, sizeof text, "%zu:%016llx", bytes.size(),
                static_cast<unsigned long long>(digest(bytes)));
  return text;
}

// The three files that `compile --force` writes for a 3000 m line with `line_body`.
std::vector<std::string> forced_outputs(const std::vector<std::string>& line_body) {
  TempDir dir;
  write_bytes(dir.file("Prova_linea.txt"), line_file(3000, line_body));
  write_bytes(dir.file("Prova_L1-.txt"), train_file_from_origin({}));
  run_program({"compile", "--force", "Prova", "L1"}, dir.path());
  std::vector<std::string> digests;
  for (const char* f : {"Prova_linea.dat", "Prova_L1.sim", "Prova_L1.dat"}) {
    digests.push_back(size_and_digest(read_bytes(dir.file(f))));
  }
  return digests;
}

TEST(ReadingCorners, GradientBeyond32BitsFailsWhereItsCellsReceiveIt) {
  const LateGradientCase cases[] = {
      {"replaced at the same position before any cell receives it",
       {"pendenza, 0, 2147483548", "pendenza, 0, 0"},
       {"pendenza, 0, 0"},
       0,
       0,
       {"199964:4f7ef178bd5a6666", "2965:c551ddc0619c7e8d", "3015:4e45c900dd978d40"}},
      {"a fault of its own comes first: two signboards in one cell",
       {"pendenza, 0, 2147483548", "indicatore cartello, 1000, A", "indicatore cartello, 1010, B"},
       {"pendenza, 0, 5", "indicatore cartello, 1000, A", "indicatore cartello, 1010, B"},
       6,
       1010,
       {"40012:8c76fba628f74454", "2966:035282e9c729c217", "3015:7f1564a161a618ce"}},
      {"the signboard read before the failing write stays",
       {"pendenza, 0, 2147483548", "indicatore cartello, 1000, A", "pendenza, 200, 0"},
       {"pendenza, 0, 5", "indicatore cartello, 1000, A", "pendenza, abc, 0"},
       25,
       0,
       {"40012:8c76fba628f74454", "2966:035282e9c729c217", "3015:7f1564a161a618ce"}},
      {"the largest that fits, replaced",
       {"pendenza, 0, 2147483547", "pendenza, 0, 0"},
       {"pendenza, 0, 0"},
       0,
       0,
       {"199964:4f7ef178bd5a6666", "2965:c551ddc0619c7e8d", "3015:4e45c900dd978d40"}},
  };
  for (const LateGradientCase& c : cases) {
    SCOPED_TRACE(c.what);
    ReaderRun r;
    r.read(line_file(3000, c.line_body), train_file_from_origin({}));
    EXPECT_EQ(r.s.error_code, c.code);
    EXPECT_EQ(r.s.error_position, c.position);
    const std::vector<std::string> outputs = forced_outputs(c.line_body);
    EXPECT_EQ(outputs, forced_outputs(c.same_outputs_as));
    EXPECT_EQ(outputs, c.digests);
  }
}

TEST(ReadingCorners, GradientAtTheLimitKeepsTheLow8BitsOfItsSum) {
  ReaderRun r;
  r.read(line_file(18000, {"pendenza, 0, 2147483547"}), train_file_from_origin({}));
  ASSERT_EQ(r.s.error_code, 0);
  EXPECT_EQ(r.cell(0).gradient, 0xFF);  // 2147483647 & 0xFF
  EXPECT_EQ(r.cell(497).gradient, 0xFF);
}

// Names given on the command line reach the station file and the check codes in the
// simulator's single-byte code page, whatever encoding the command line used.
const std::vector<std::string> kSmallLine = {"[generale]", "lunghezza percorso, 3000", "[fine]"};
const std::vector<std::string> kSmallTrain = {"[generale]", "velocita, 0, 30", "aderenza, 0, 100",
                                              "[fine]"};

TEST(CommandLineNames, Utf8NamesAreStoredInTheSingleByteCodePage) {
  TempDir dir;
  const std::string scenario = "Citt\xC3\xA0";  // "Città" as UTF-8
  const std::string line = "L\xC3\x88";         // "LÈ" as UTF-8
  write_bytes(dir.file(scenario + "_linea.txt"), crlf(kSmallLine));
  write_bytes(dir.file(scenario + "_" + line + "-.txt"), crlf(kSmallTrain));
  const auto r = run_program({"compile", scenario, line}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;

  // The file names on disk stay as given.
  const auto stations = decode_station_file(read_bytes(dir.file(scenario + "_" + line + ".sim")));
  const auto track = decode_track_file(read_bytes(dir.file(scenario + "_" + line + ".dat")));
  EXPECT_EQ(stations.at(kScenarioSlot).name, "Citt\xE0");
  EXPECT_EQ(stations.at(kLineSlot).name, "L\xC8");
  // The codes sum "l\xE8" "citt\xE0" and 18 fill characters: upper and lower case agree.
  EXPECT_EQ(track.at(1).value2, 3124);
  EXPECT_EQ(stations.at(kScenarioSlot).time_s, 38939);
}

TEST(CommandLineNames, BytesThatAreNotUtf8AreTakenAsSingleByteText) {
  if (kWindows) GTEST_SKIP() << "Windows hands arguments over in UTF-16: never as stray bytes";
  TempDir dir;
  const std::string scenario = "Citt\xE0";
  write_bytes(dir.file(scenario + "_linea.txt"), crlf(kSmallLine));
  write_bytes(dir.file(scenario + "_L-.txt"), crlf(kSmallTrain));
  const auto r = run_program({"compile", scenario, "L"}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  const auto stations = decode_station_file(read_bytes(dir.file(scenario + "_L.sim")));
  EXPECT_EQ(stations.at(kScenarioSlot).name, "Citt\xE0");
}

TEST(CommandLineNames, ACharacterTheCodePageCannotHoldIsRefusedBeforeReading) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"compile", "Roma\xE4\xB8\xAD", "L"},
       "scenario_builder: SCENARIO name \"Roma\u4e2d\" holds the character U+4E2D, which "
       "the simulator's code page (Windows-1252) cannot store; choose a name without it\n"},
      {{"compile", "Roma", "L\xF0\x9F\x9A\x86"},
       "scenario_builder: LINE name \"L\U0001f686\" holds the character U+1F686, which "
       "the "
       "simulator's code page (Windows-1252) cannot store; choose a name without it\n"},
      {{"plan", "Roma", "L\xC2\x81"},
       "scenario_builder: LINE name \"L\\xc2\\x81\" holds the character U+0081, which the "
       "simulator's code page (Windows-1252) cannot store; choose a name without it\n"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const auto r = run_program(c.args, dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.substr(0, c.message.size()), c.message);
    EXPECT_TRUE(dir.entries().empty());
  }
}

TEST(CodePage, ConvertsUtf8AndLeavesOtherBytes) {
  EXPECT_EQ(to_single_byte("\xE2\x82\xAC 5").bytes, "\x80 5");      // the euro sign
  EXPECT_EQ(to_single_byte("Citt\xE0").bytes, "Citt\xE0");          // not UTF-8: as it is
  EXPECT_EQ(to_single_byte("\xC0\xAF").bytes, "\xC0\xAF");          // overlong form: not UTF-8
  EXPECT_EQ(to_single_byte("\xED\xA0\x80").bytes, "\xED\xA0\x80");  // a surrogate: not UTF-8
  EXPECT_EQ(*to_single_byte("\xE4\xB8\xAD").unmappable, U'\x4E2D');
  EXPECT_EQ(to_single_byte("\xE2\x82\xAC\xC3\xA0").bytes, "\x80\xE0");  // euro sign, a-grave
  // A byte the code page leaves undefined has no character to take it from.
  EXPECT_EQ(*to_single_byte("\xC2\x81").unmappable, U'\x81');
  EXPECT_EQ(single_byte_lower('\xC8'), '\xE8');
  EXPECT_EQ(single_byte_lower('\xD7'), '\xD7');  // the multiplication sign has no small form
  EXPECT_EQ(single_byte_lower('\x9F'), '\xFF');
}

}  // namespace
}  // namespace sb::test
