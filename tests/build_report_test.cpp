// What a build does with its compiled files and its report: a faulty compile writes nothing
// and leaves the old files; --force writes what compile has always written; check writes
// nothing and prints a summary; the diagnostic options; the built-in files are clean.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <type_traits>
#include <vector>

#include "driver/lsp/json.h"
#include "model/diagnostic.h"
#include "test_support.h"

namespace sb::test {
namespace {

const std::vector<std::string> kLine = {"[generale]", "lunghezza percorso, 6000", "[curve]",
                                        "curvad4, 1500, 300"};
const std::vector<std::string> kTrain = {"[generale]", "velocita, 0, 30", "aderenza, 0, 100"};
const std::string kStation = "stazione, 800, 22, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, A";
const std::vector<std::string> kOutputs = {"Prova_linea.dat", "Prova_L1.sim", "Prova_L1.dat"};

std::vector<std::string> with(std::vector<std::string> head, const std::vector<std::string>& body) {
  head.insert(head.end(), body.begin(), body.end());
  head.push_back("[fine]");
  return head;
}

void write_sources(const TempDir& dir, const std::vector<std::string>& line,
                   const std::vector<std::string>& train) {
  write_bytes(dir.file("Prova_linea.txt"), crlf(with(kLine, line)));
  write_bytes(dir.file("Prova_L1-.txt"), crlf(with(kTrain, train)));
}

// "size:FNV-1a" of a file's bytes.
std::string digest(const std::string& path) {
  const std::string bytes = read_bytes(path);
  std::uint64_t h = 0xcbf29ce484222325u;
  for (const char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
  char text[40];
  std::snprintf(text, sizeof text, "%zu:%016llx", bytes.size(), static_cast<unsigned long long>(h));
  return text;
}

struct FaultyCase {
  const char* kind;
  std::vector<std::string> line, train;
  // The route, station and track files that compile wrote for these sources before it
  // learnt to keep the old files.
  std::vector<std::string> written;
};

const FaultyCase kFaulty[] = {
    {"reader fault",
     {"montagna, 100, abc, 2"},
     {kStation},
     {"80796:b9032a836e80394f", "2965:0ebb1eb391089a21", "3915:9bf8c1090cbcc790"}},
    {"range fault",
     {"pendenza, 12950, 1"},
     {kStation, "segnale, 3000, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0"},
     {"259964:13bb82cb1cbcbbfd", "2966:eb6f939ada43bdc7", "3915:8bf5fa47a38208fe"}},
    {"compiler fault",
     {},
     {"abbattimento, 4700, 60", "abbattimento, 4750, 60", "abbattimento, 4800, 60",
      "rallentamento, 5000, 30, 400, 0, 0, 0"},
     {"259964:13bb82cb1cbcbbfd", "2965:0ebb1eb391089a21", "3915:d8eb40a61c19fb2f"}},
};

TEST(FaultyCompile, KeepsThePreviousFilesAndForceWritesWhatCompileAlwaysWrote) {
  for (const FaultyCase& c : kFaulty) {
    SCOPED_TRACE(c.kind);
    TempDir dir;
    // A good set first.
    write_sources(dir, {}, {kStation});
    ASSERT_EQ(run_program({"compile", "Prova", "L1"}, dir.path()).status, 0);
    std::vector<std::string> good;
    for (const auto& f : kOutputs) good.push_back(read_bytes(dir.file(f)));

    write_sources(dir, c.line, c.train);
    const auto r = run_program({"compile", "Prova", "L1"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("scenario_builder: no file written (1 fault); --force writes them "
                         "anyway\n"),
              std::string::npos)
        << r.err;
    for (std::size_t k = 0; k < kOutputs.size(); ++k) {
      EXPECT_EQ(read_bytes(dir.file(kOutputs[k])), good[k]) << kOutputs[k];
    }

    const auto forced = run_program({"compile", "--force", "Prova", "L1"}, dir.path());
    EXPECT_EQ(forced.status, 1);
    EXPECT_NE(forced.err.find("1 fault recorded; the binary files were written all the same"),
              std::string::npos)
        << forced.err;
    for (std::size_t k = 0; k < kOutputs.size(); ++k) {
      EXPECT_EQ(digest(dir.file(kOutputs[k])), c.written[k]) << kOutputs[k];
    }
  }
}

TEST(FaultyCompile, ErrorStopLeavesThePreviousFiles) {
  TempDir dir;
  write_sources(dir, {}, {kStation});
  ASSERT_EQ(run_program({"compile", "Prova", "L1"}, dir.path()).status, 0);
  const std::string track = read_bytes(dir.file("Prova_L1.dat"));
  write_sources(dir, {}, {"segnale, 0, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0"});
  const auto r = run_program({"compile", "--force", "Prova", "L1"}, dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(" Errore n. 1250\n"), std::string::npos);
  EXPECT_EQ(read_bytes(dir.file("Prova_L1.dat")), track);
}

TEST(BuiltinFiles, GiveNoWarningAndCheckSummarisesThem) {
  TempDir dir;
  ASSERT_EQ(run_program({"sources", "--dir", dir.path()}, dir.path()).status, 0);
  const std::string scenario = "Roccalta_ Valfiorita", line = "LINEA 7";
  for (const std::vector<std::string>& extra :
       {std::vector<std::string>{}, std::vector<std::string>{"--no-geometry"}}) {
    std::vector<std::string> args = {"compile"};
    args.insert(args.end(), extra.begin(), extra.end());
    args.insert(args.end(), {scenario, line});
    const auto r = run_program(args, dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
  }
  const auto check = run_program({"check", scenario, line}, dir.path());
  EXPECT_EQ(check.status, 0);
  EXPECT_EQ(check.err, "");
  EXPECT_EQ(check.out,
            "route 18000 m, 501 cells, 22 stations, 1 signal, 0 slow orders, 12 curves, 4 speed "
            "boards, 0 signboards, 5 mountain-side stretches; 0 errors, 0 warnings\n");

  TempDir run;
  const auto builtin = run_program({"--dir", run.path()}, run.path());
  EXPECT_EQ(builtin.status, 0);
  EXPECT_EQ(builtin.err, "Attendere\n");
}

TEST(CheckMode, WritesNothingAndCountsWhatItFound) {
  TempDir dir;
  write_sources(
      dir, {"indicatore cartello, 2000, BIVIO"},
      {kStation, "stazoine, 1600, 22, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, B",
       "segnale, 3000, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0", "rallentamento, 4000, 30, 400, 0, 0, 0",
       "segnale, 3000, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0"});
  const auto before = dir.entries();
  const auto r = run_program({"check", "Prova", "L1"}, dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "route 6000 m, 261 cells, 1 station, 1 signal, 1 slow order, 1 curve, 0 speed boards, "
            "1 signboard, 0 mountain-side stretches; 1 error, 1 warning\n");
  EXPECT_EQ(r.err.find("no file written"), std::string::npos) << r.err;
  EXPECT_EQ(dir.entries(), before);
}

TEST(DiagnosticOptions, WarningsAsErrorsAndNoWarnings) {
  TempDir dir;
  write_sources(dir, {"pendnza, 500, 5"}, {kStation});
  const std::string warning =
      "Prova_linea.txt:5:1: warning: unknown keyword \"pendnza\" skipped; did you mean "
      "\"pendenza\"? [unknown-keyword]\n"
      "     5 | pendnza, 500, 5\n"
      "       | ^~~~~~~\n";

  auto r = run_program({"compile", "--warnings-as-errors", "Prova", "L1"}, dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, warning +
                       "scenario_builder: no file written (1 warning counted as a fault); --force "
                       "writes them anyway\n");
  EXPECT_FALSE(exists(dir.file("Prova_L1.dat")));
  // The summary counts the warning as the exit status does.
  r = run_program({"check", "--warnings-as-errors", "Prova", "L1"}, dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "route 6000 m, 261 cells, 1 station, 0 signals, 0 slow orders, 1 curve, 0 speed "
            "boards, 0 signboards, 0 mountain-side stretches; 1 error (1 warning among them), 0 "
            "warnings\n");

  r = run_program({"compile", "--no-warnings", "-v", "Prova", "L1"}, dir.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "route 6000 m, 261 cells, 1 station, 0 signals, 0 slow orders, 1 curve, 0 speed "
            "boards, 0 signboards, 0 mountain-side stretches; 0 errors, 1 warning\n"
            "wrote \"Prova_linea.dat\"\nwrote \"Prova_L1.sim\"\nwrote \"Prova_L1.dat\"\n");

  r = run_program({"compile", "Prova", "L1"}, dir.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, warning);
}

TEST(DiagnosticOptions, ColourOnlyWhenAskedOrOnATerminal) {
  TempDir dir;
  write_sources(dir, {"pendnza, 500, 5"}, {"segnale, 0, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0"});
  const auto plain = run_program({"check", "Prova", "L1"}, dir.path());
  EXPECT_EQ(plain.err.find('\x1b'), std::string::npos);  // a pipe gets no colour by default
  const auto coloured = run_program({"check", "--color=always", "Prova", "L1"}, dir.path());
  EXPECT_NE(coloured.err.find("\x1b[1;35mwarning:\x1b[m"), std::string::npos) << coloured.err;
  EXPECT_NE(coloured.err.find("\x1b[1;31merror 1250:\x1b[m"), std::string::npos);
  EXPECT_NE(coloured.err.find("\x1b[1;36mnote:\x1b[m"), std::string::npos);
  const auto never = run_program({"check", "--color", "never", "Prova", "L1"}, dir.path());
  EXPECT_EQ(never.err, plain.err);
}

TEST(DiagnosticOptions, JsonHoldsTheSameDiagnosticsAsTheText) {
  TempDir dir;
  write_sources(dir, {"pendnza, 500, 5", "indicatori_vmax, 2000, 80,80,80,0, 80,80,80,0"},
                {"segnale, 2000, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0"});
  const auto text = run_program({"check", "Prova", "L1"}, dir.path());
  const auto json = run_program({"check", "--diagnostics=json", "Prova", "L1"}, dir.path());
  EXPECT_EQ(json.status, text.status);
  const Json items = parse_json(json.err);
  ASSERT_EQ(items.kind, Json::Kind::kArray);
  ASSERT_EQ(items.items.size(), 2u);

  const Json& w = items.items[0];
  EXPECT_EQ(w["severity"].text, "warning");
  EXPECT_TRUE(w["code"].is_null());
  EXPECT_EQ(w["name"].text, "unknown-keyword");
  EXPECT_EQ(w["file"].text, "Prova_linea.txt");
  EXPECT_EQ(w["line"].number, 5);
  EXPECT_EQ(w["column"].number, 1);
  EXPECT_TRUE(w["position"].is_null());

  const Json& e = items.items[1];
  EXPECT_EQ(e["severity"].text, "error");
  EXPECT_EQ(e["code"].number, 16);
  EXPECT_TRUE(e["name"].is_null());
  EXPECT_EQ(e["file"].text, "Prova_L1-.txt");
  EXPECT_EQ(e["line"].number, 4);
  EXPECT_EQ(e["position"].number, 2000);
  ASSERT_EQ(e["notes"].items.size(), 1u);
  // The text form says the same, word for word.
  for (const Json* d : {&w, &e}) {
    EXPECT_NE(text.err.find((*d)["message"].text), std::string::npos) << (*d)["message"].text;
    for (const Json& note : (*d)["notes"].items) {
      EXPECT_NE(text.err.find("note: " + note.text + "\n"), std::string::npos);
    }
  }
}

TEST(Defaults, SourcesWriteWhereCompileReadsAndOutputFoldersAreCreated) {
  TempDir dir;
  ASSERT_EQ(run_program({"sources"}, dir.path()).status, 0);
  EXPECT_TRUE(exists(dir.file("Roccalta_ Valfiorita_linea.txt")));
  const auto r = run_program({"compile", "--out", "new/folder", "Roccalta_ Valfiorita", "LINEA 7"},
                             dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(exists(dir.file("new/folder/Roccalta_ Valfiorita_LINEA 7.dat")));
  ASSERT_EQ(run_program({"sources", "--dir", "made/here"}, dir.path()).status, 0);
  EXPECT_TRUE(exists(dir.file("made/here/Roccalta_ Valfiorita_LINEA 7-.txt")));
  const auto plan = run_program(
      {"plan", "--dir", "new/folder", "-o", "pictures/line.svg", "Roccalta_ Valfiorita", "LINEA 7"},
      dir.path());
  EXPECT_EQ(plan.status, 0) << plan.err;
  EXPECT_TRUE(exists(dir.file("pictures/line.svg")));
}

// A field quoted in a message is cut short and shown printably, whatever it holds.
TEST(Messages, QuoteFieldsShortAndPrintable) {
  TempDir dir;
  write_sources(dir, {"montagna, 100, " + std::string(10'000'000, '7') + ", 2"},
                {"\x1b(0\x1bZ\x07pendnza, 500, 5"});
  const auto r = run_program({"check", "--no-warnings", "Prova", "L1"}, dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_LT(r.err.size(), 1000u) << r.err.size();
  EXPECT_NE(r.err.find("error 25: the number \"" + std::string(48, '7') +
                       "\xE2\x80\xA6\" does not "
                       "fit 32 bits (value 2 of \"montagna\")"),
            std::string::npos)
      << r.err;

  write_sources(dir, {}, {"\x1b(0\x1bZ\x07pendnza, 500, 5"});
  const auto w = run_program({"check", "Prova", "L1"}, dir.path());
  EXPECT_NE(w.err.find("unknown keyword \"\\x1b(0\\x1bZ\\x07pendnza\" skipped"), std::string::npos)
      << w.err;
  for (const std::string* err : {&r.err, &w.err}) {
    for (const char c : *err) {
      EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F) || static_cast<unsigned char>(c) >= 0x80)
          << static_cast<int>(c);
    }
  }
}

// Line numbers are 64-bit: no file the reader can hold makes them overflow.
static_assert(std::is_same_v<decltype(FieldSpan::line), std::int64_t>);
static_assert(std::is_same_v<decltype(SourceSpot::line), std::int64_t>);

TEST(Messages, FaultsComeBeforeAFailureOfTheSystem) {
  TempDir dir;
  write_bytes(dir.file("Prova_linea.txt"), crlf(with(kLine, {})));
  std::filesystem::create_directory(dir.file("Prova_L1.sim"));  // in the station file's way
  const auto r = run_program({"compile", "--force", "--no-geometry", "Prova", "L1"}, dir.path());
  EXPECT_EQ(r.status, 2);
  const auto fault = r.err.find("Prova_L1-.txt: error 25: cannot open");
  const auto failure = r.err.find("scenario_builder: cannot write \"Prova_L1.sim\"");
  EXPECT_NE(fault, std::string::npos) << r.err;
  EXPECT_NE(failure, std::string::npos) << r.err;
  EXPECT_LT(fault, failure);
}

TEST(Messages, BuiltinRunInAFolderItCannotWriteSuggestsDir) {
  if (kWindows) GTEST_SKIP() << "Windows has no folder modes and no user to switch to";
  TempDir home;
  const std::string program = home.file("scenario_builder");
  std::filesystem::copy_file(SB_PROGRAM, program);
  ASSERT_EQ(::chmod(home.path().c_str(), 0555), 0);
  RunLimits limits;
  limits.unprivileged = true;
  const auto r = run_program({}, home.path(), program, limits);
  ASSERT_EQ(::chmod(home.path().c_str(), 0700), 0);
  if (r.status == 127) GTEST_SKIP() << "the program cannot be run as an unprivileged user here";
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("; use --dir DIR to run it elsewhere\n"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace sb::test
