// The program's modes, run through the built executable in temporary folders.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/printable_text.h"
#include "test_support.h"

namespace sb::test {
namespace {

const std::string kLine = "Roccalta_ Valfiorita_linea.txt";
const std::string kTrain = "Roccalta_ Valfiorita_LINEA 7-.txt";
const std::string kCard = "Roccalta_ Valfiorita_LINEA 7_scheda_treno.txt";
const std::string kNotes = "Roccalta_ Valfiorita_LINEA 7_note.txt";
const std::string kSlow = "Roccalta_ Valfiorita_LINEA 7_rallentamenti.txt";
const std::string kRoute = "Roccalta_ Valfiorita_linea.dat";
const std::string kStations = "Roccalta_ Valfiorita_LINEA 7.sim";
const std::string kTrack = "Roccalta_ Valfiorita_LINEA 7.dat";

// A small author's scenario "Prova", line "L1": a 3000 m line with two stations.
const std::vector<std::string> kAuthorLine = {
    "[generale]", "lunghezza percorso, 3000", "[curve]", "curvad4, 500, 200", "[fine]",
};
const std::vector<std::string> kAuthorTrain = {
    "[generale]",
    "velocita, 0, 30",
    "aderenza, 0, 100",
    "[stazioni]",
    "stazione, 0, 22, 400, 0,0,0, 0,0,0, 0,0,0, 1, 12,0,0, PRIMA",
    "stazione, 2000, 22, 400, 0,0,0, 0,0,0, 0,0,0, 1, 12,5,0, SECONDA",
    "[fine]",
};

std::vector<std::string> sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

void write_author_files(const TempDir& dir, const std::vector<std::string>& line,
                        const std::vector<std::string>& train) {
  write_bytes(dir.file("Prova_linea.txt"), crlf(line));
  write_bytes(dir.file("Prova_L1-.txt"), crlf(train));
}

TEST(BuiltinMode, LeavesSixFilesAndSaysAttendere) {
  TempDir dir;
  const auto r = run_program({"--dir", dir.path()}, dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "Attendere\n");
  EXPECT_EQ(dir.entries(), sorted({kRoute, kTrack, kCard, kNotes, kSlow, kStations}));
  EXPECT_EQ(read_bytes(dir.file(kTrack)).size(), 7515u);
  EXPECT_EQ(read_bytes(dir.file(kRoute)).size(), 499964u);
}

TEST(BuiltinMode, TwoRunsGiveIdenticalFiles) {
  TempDir dir;
  ASSERT_EQ(run_program({"--dir", dir.path()}, dir.path()).status, 0);
  const std::string track = read_bytes(dir.file(kTrack));
  const std::string stations = read_bytes(dir.file(kStations));
  const std::string route = read_bytes(dir.file(kRoute));
  ASSERT_EQ(run_program({"--dir", dir.path()}, dir.path()).status, 0);
  EXPECT_EQ(read_bytes(dir.file(kTrack)), track);
  EXPECT_EQ(read_bytes(dir.file(kStations)), stations);
  EXPECT_EQ(read_bytes(dir.file(kRoute)), route);
}

TEST(BuiltinMode, MissingFolderIsAUsageFailure) {
  TempDir dir;
  const auto r = run_program({"--dir", dir.file("nowhere")}, dir.path());
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("nowhere"), std::string::npos) << r.err;
}

TEST(SourcesMode, WritesOnlyTheFiveTextFiles) {
  TempDir dir;
  const auto r = run_program({"sources", "--dir", dir.path()}, dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(dir.entries(), sorted({kCard, kTrain, kNotes, kSlow, kLine}));
  EXPECT_EQ(read_bytes(dir.file(kLine)).size(), 1031u);
}

TEST(SourcesMode, CompilingTheSourcesGivesTheBuiltinRunsFiles) {
  TempDir builtin, authored;
  ASSERT_EQ(run_program({"--dir", builtin.path()}, builtin.path()).status, 0);
  ASSERT_EQ(run_program({"sources", "--dir", authored.path()}, authored.path()).status, 0);
  const auto r = run_program({"compile", "Roccalta_ Valfiorita", "LINEA 7"}, authored.path());
  ASSERT_EQ(r.status, 0) << r.err;
  for (const auto& leaf : {kTrack, kStations, kRoute}) {
    EXPECT_EQ(read_bytes(authored.file(leaf)), read_bytes(builtin.file(leaf))) << leaf;
  }
  EXPECT_TRUE(exists(authored.file(kLine)));  // the author's files stay
  EXPECT_TRUE(exists(authored.file(kTrain)));
}

TEST(CompileMode, CompilesAnAuthorsScenarioAndKeepsItsFiles) {
  TempDir dir;
  write_author_files(dir, kAuthorLine, kAuthorTrain);
  const std::string line_before = read_bytes(dir.file("Prova_linea.txt"));
  const std::string train_before = read_bytes(dir.file("Prova_L1-.txt"));
  const auto r = run_program({"compile", "Prova", "L1"}, dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(read_bytes(dir.file("Prova_linea.txt")), line_before);
  EXPECT_EQ(read_bytes(dir.file("Prova_L1-.txt")), train_before);
  // 3000 m + 7000 m of run-out: 200 cells of 50 m, and 10001 route points.
  EXPECT_EQ(read_bytes(dir.file("Prova_L1.dat")).size(), 15u * 201);
  EXPECT_EQ(read_bytes(dir.file("Prova_linea.dat")).size(), 2u * (10 * 10000 - 18));
  EXPECT_TRUE(exists(dir.file("Prova_L1.sim")));
}

TEST(CompileMode, NoGeometryWritesNoRouteFileAndOutChoosesTheFolder) {
  TempDir dir, out;
  write_author_files(dir, kAuthorLine, kAuthorTrain);
  const auto r = run_program(
      {"compile", "--dir", dir.path(), "--out", out.path(), "--no-geometry", "Prova", "L1"}, "/");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(out.entries(), (std::vector<std::string>{"Prova_L1.dat", "Prova_L1.sim"}));
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"Prova_L1-.txt", "Prova_linea.txt"}));
}

// Each fault is reported on the line of the field being read, with its position.
TEST(CompileMode, FaultsPointAtTheirSourceLine) {
  struct Case {
    const char* name;
    std::vector<std::string> line;
    std::vector<std::string> train;
    std::string expected;
  };
  auto train_with = [](std::size_t at, const std::string& text) {
    auto t = kAuthorTrain;
    t.insert(t.begin() + static_cast<std::ptrdiff_t>(at), text);
    return t;
  };
  auto line_with = [](std::size_t at, const std::string& text) {
    auto l = kAuthorLine;
    l.insert(l.begin() + static_cast<std::ptrdiff_t>(at), text);
    return l;
  };
  const Case cases[] = {
      {"station not on a 50 m mark",
       {},
       train_with(6, "stazione, 2525, 22, 400, 0,0,0, 0,0,0, 0,0,0, 1, 12,9,0, TERZA"),
       "Prova_L1-.txt:7:11: error 8: the station position is not a multiple of 50 (at 2525 m)"},
      {"signal on a station stop",
       {},
       train_with(6, "segnale, 100, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0"),
       "Prova_L1-.txt:7:1: error 16: the signal's cell at 100 to 150 m already holds an object "
       "(at 100 m)"},
      {"slow order starting on a station stop",
       {},
       train_with(6, "rallentamento, 100, 30, 400, 1, 0, 0"),
       "Prova_L1-.txt:7:1: error 18: the slow order's start cell at 100 to 150 m already holds an "
       "object (at 100 m)"},
      // Cells 96, 95 and 94, the first band before the slow order's start cell 101, are taken:
      // the compiler's fault points at the slow order's line, without a column.
      {"no room for a protection point",
       {},
       [&] {
         auto t = train_with(6, "rallentamento, 5000, 30, 400, 1, 0, 0");
         for (const char* x : {"4800", "4750", "4700"}) {
           t.insert(t.begin() + 6, std::string("abbattimento, ") + x + ", 60");
         }
         return t;
       }(),
       "Prova_L1-.txt:10: error 12: no free cell for a protection point 250 to 350 m before the "
       "start of the slow order at 5000 m (at 5050 m)"},
      {"entry beyond the table",
       {"[generale]", "lunghezza percorso, 3000", "[curve]", "curvad4, 9950, 10", "[fine]"},
       {},
       "Prova_linea.txt:4:10: error 15: \"curva\" lies beyond the end of the track table"},
      {"curve without class", line_with(4, "curvad, 1000, 100"), kAuthorTrain,
       "Prova_linea.txt:5:1: error 103:"},
      {"not a number", line_with(3, "montagna, 100, abc, 2"), kAuthorTrain,
       "Prova_linea.txt:4:16: error 25: \"abc\" is not a number (value 2 of \"montagna\")"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const auto line = c.line.empty() ? kAuthorLine : c.line;
    write_author_files(dir, line, c.train.empty() ? kAuthorTrain : c.train);
    const auto r = run_program({"compile", "--force", "Prova", "L1"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(c.expected), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("written all the same"), std::string::npos) << r.err;
    EXPECT_TRUE(exists(dir.file("Prova_L1.dat")));
  }
}

TEST(CompileMode, MissingLineFileNamesTheFileLookedFor) {
  TempDir dir;
  const auto r = run_program({"compile", "Nessuno", "L1"}, dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("scenario_builder: error 101: line file \"Nessuno_linea.txt\" not found"),
            std::string::npos)
      << r.err;
  EXPECT_TRUE(dir.entries().empty());
}

// A misspelt scenario or line name, or the wrong folder: the note says which names the
// folder does hold, so the author sees the slip at once.
TEST(CompileMode, MissingSourceFileNotesTheNamesTheFolderHolds) {
  struct Case {
    const char* name;
    std::vector<std::string> files;  // written beside the author's Prova / L1 pair
    std::vector<std::string> args;
    std::string note;
  };
  const std::vector<Case> cases = {
      {"scenario misspelt",
       {},
       {"Prva", "L1"},
       "note: the folder holds the line files of the scenario \"Prova\"\n"},
      {"several scenarios",
       {"Monte_linea.txt"},
       {"Prva", "L1"},
       "note: the folder holds the line files of the scenarios \"Monte\", \"Prova\"\n"},
      {"line misspelt",
       {"Prova_L2-.txt"},
       {"Prova", "L3"},
       "note: the folder holds train files of the scenario \"Prova\" for the lines \"L1\", "
       "\"L2\"\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    write_author_files(dir, kAuthorLine, kAuthorTrain);
    for (const std::string& leaf : c.files) write_bytes(dir.file(leaf), "");
    std::vector<std::string> args = {"check"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto r = run_program(args, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(c.note), std::string::npos) << r.err;
  }
  TempDir empty;
  const auto r = run_program({"check", "Prova", "L1"}, empty.path());
  EXPECT_NE(r.err.find("error 101: line file \"Prova_linea.txt\" not found\nnote: the folder "
                       "holds no line file (a file whose name ends in \"_linea.txt\"); give the "
                       "scenario's folder with --dir\n"),
            std::string::npos)
      << r.err;
}

// A file saved under a name near the one looked for, or a file's name typed for SCENARIO or
// LINE: the note names the file and why it was not taken, or the names to give. The exit
// status stays that of the missing file.
TEST(CompileMode, MissingSourceFileNotesNearNamesAndFileNamesTypedAsNames) {
  const std::string kNothingCompiled =
      "scenario_builder: nothing compiled: the reading ended before the route length gave a "
      "track; no binary file was written\n";
  struct Case {
    const char* name;
    std::vector<std::string> line_files, train_files;  // in the folder, with the author's text
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  const std::vector<Case> cases = {
      {"line file in another case",
       {"Valserena_Linea.txt"},
       {"Valserena_L1-.txt"},
       {"check", "Valserena", "L1"},
       1,
       "scenario_builder: error 101: line file \"Valserena_linea.txt\" not found\n"
       "note: did you mean \"Valserena_Linea.txt\"? the simulator's Windows would find it, this "
       "program looks for the exact name\n" +
           kNothingCompiled},
      {"train file without its \"-\"",
       {"Monte_linea.txt"},
       {"Monte_L1.txt", "Monte_L2-.txt"},
       {"check", "Monte", "L1"},
       1,
       "Monte_L1-.txt: error 25: cannot open \"Monte_L1-.txt\": No such file or directory\n"
       "note: did you mean \"Monte_L1.txt\"? it differs from \"Monte_L1-.txt\" in its \"-\": "
       "rename it, the simulator would not find it either\n"},
      {"train file with a blank and in another case",
       {"Monte_linea.txt"},
       {"monte_l1 -.TXT"},
       {"check", "Monte", "L1"},
       1,
       "Monte_L1-.txt: error 25: cannot open \"Monte_L1-.txt\": No such file or directory\n"
       "note: did you mean \"monte_l1 -.TXT\"? it differs from \"Monte_L1-.txt\" in blanks and "
       "case: rename it, the simulator would not find it either\n"},
      {"line file's name for SCENARIO",
       {"Valserena_linea.txt"},
       {"Valserena_L1-.txt"},
       {"check", "Valserena_linea.txt", "L1"},
       1,
       "scenario_builder: error 101: line file \"Valserena_linea.txt_linea.txt\" not found\n"
       "note: SCENARIO and LINE are names, not file names: give \"Valserena\" and \"L1\" to read "
       "\"Valserena_linea.txt\" and \"Valserena_L1-.txt\"\n" +
           kNothingCompiled},
      {"both files' names",
       {"Monte_linea.txt"},
       {"Monte_L1-.txt"},
       {"compile", "Monte_linea.txt", "Monte_L1-.txt"},
       1,
       "scenario_builder: error 101: line file \"Monte_linea.txt_linea.txt\" not found\n"
       "note: SCENARIO and LINE are names, not file names: give \"Monte\" and \"L1\" to read "
       "\"Monte_linea.txt\" and \"Monte_L1-.txt\"\n" +
           kNothingCompiled},
      {"train file's name for LINE",
       {"Monte_linea.txt"},
       {"Monte_L1-.txt"},
       {"check", "Monte", "Monte_L1-.txt"},
       1,
       "Monte_Monte_L1-.txt-.txt: error 25: cannot open \"Monte_Monte_L1-.txt-.txt\": No such file "
       "or directory\n"
       "note: SCENARIO and LINE are names, not file names: give \"Monte\" and \"L1\" to read "
       "\"Monte_linea.txt\" and \"Monte_L1-.txt\"\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Windows opens a name written in another case, as the simulator does there: the file is
    // found, and nothing is missing.
    if (kWindows && std::string_view(c.name) == "line file in another case") continue;
    TempDir dir;
    for (const std::string& leaf : c.line_files) write_bytes(dir.file(leaf), crlf(kAuthorLine));
    for (const std::string& leaf : c.train_files) write_bytes(dir.file(leaf), crlf(kAuthorTrain));
    const auto r = run_program(c.args, dir.path());
    EXPECT_EQ(r.status, c.status);
    if (kWindows) {
      // The system's words for a missing file differ there; the notes do not.
      EXPECT_NE(r.err.find(c.err.substr(c.err.find("\nnote: "))), std::string::npos) << r.err;
    } else {
      EXPECT_EQ(r.err, c.err);
    }
  }
}

TEST(CompileMode, LineFileWithoutGeneralSectionIsNamedAndNothingIsCompiled) {
  TempDir dir;
  write_bytes(dir.file("Vuota_linea.txt"), "");
  const auto r = run_program({"compile", "Vuota", "X"}, dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "Vuota_linea.txt: error 102: no \"[generale]\" section in the line file: nothing was "
            "read from it\n"
            "scenario_builder: nothing compiled: the reading ended before the route length gave a "
            "track; no binary file was written\n");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"Vuota_linea.txt"});
}

TEST(CompileMode, ErrorStopKeepsItsTextAndWritesNothing) {
  // A signal at 0 m lands in cell 1, the header cell of the compiled track.
  TempDir dir;
  auto train = kAuthorTrain;
  train.insert(train.begin() + 6, "segnale, 0, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0");
  train[4] = "stazione, 1000, 22, 400, 0,0,0, 0,0,0, 0,0,0, 1, 12,0,0, PRIMA";
  write_author_files(dir, kAuthorLine, train);
  const auto r = run_program({"compile", "Prova", "L1"}, dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "Prova_L1-.txt:7: error 1250: the header marker field is already set, so the build "
            "cannot stamp it; nothing is written\n"
            "note: the track's header cell 1 (0 to 50 m) holds a signal at 0 m placed at "
            "Prova_L1-.txt:7: the header cell must stay empty, so move that entry further along "
            "the line\n"
            " Errore n. 1250\n");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"Prova_L1-.txt", "Prova_linea.txt"}));
}

TEST(Usage, ErrorsHelpAndVersion) {
  TempDir dir;
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out_has;
    std::string err_has;
  };
  const Case cases[] = {
      {{"--help"}, 0, "Exit status:", ""},
      {{"--version"}, 0, "scenario_builder ", ""},
      {{"compile", "--help"}, 0, "scenario_builder compile [--dir DIR]", ""},
      {{"help", "check"}, 0, "scenario_builder check [--dir DIR]", ""},
      {{"help"}, 0, "Exit status:", ""},
      {{"--frobnicate"}, 2, "", "unknown option \"--frobnicate\""},
      {{"compile", "OnlyOne"}, 2, "", "missing LINE\n"},
      {{"check", "Monte_L1-.txt"},
       2,
       "",
       "missing LINE: SCENARIO and LINE are names, not file names: give \"Monte\" and \"L1\" to "
       "read \"Monte_linea.txt\" and \"Monte_L1-.txt\"\n"},
      {{"compile", "Monte_linea.txt"},
       2,
       "",
       "missing LINE: SCENARIO and LINE are names, not file names: give \"Monte\" and the LINE of "
       "a train file \"Monte_LINE-.txt\"\n"},
      {{"compile"}, 2, "", "missing SCENARIO and LINE"},
      {{"compil", "A", "B"}, 2, "", "unknown command \"compil\"; did you mean \"compile\"?"},
      {{"check", "--out", "x", "A", "B"}, 2, "", "unknown option \"--out\" for check"},
      {{"compile", "--color=pink", "A", "B"}, 2, "", "--color takes auto, always or never"},
      {{"compile", "--out"}, 2, "", "option \"--out\" needs a value"},
      {{"sources", "extra"}, 2, "", "unexpected argument \"extra\""},
  };
  for (const Case& c : cases) {
    const auto r = run_program(c.args, dir.path());
    SCOPED_TRACE(c.args[0]);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.out.find(c.out_has), std::string::npos) << r.out;
    EXPECT_NE(r.err.find(c.err_has), std::string::npos) << r.err;
    if (c.status == 2) {
      EXPECT_NE(r.err.find("Try 'scenario_builder --help'"), std::string::npos);
    }
  }
  EXPECT_TRUE(dir.entries().empty());
}

TEST(Usage, MissingFolderIsNamed) {
  TempDir dir;
  const auto r = run_program({"compile", "--dir", dir.file("none"), "A", "B"}, dir.path());
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("no such folder for --dir: " + echoed(dir.file("none"))), std::string::npos)
      << r.err;
}

}  // namespace
}  // namespace sb::test
