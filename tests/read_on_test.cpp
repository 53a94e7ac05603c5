// Reading on past the first fault: each independent fault is reported once, at its own line
// with its own code, whatever other faults the files hold; the compiled files that --force
// writes are those of the first fault alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "driver/lsp/json.h"
#include "test_support.h"

namespace sb::test {
namespace {

// A fault written on a line of its own: which file, the line it stands on, its code, and the
// line's text. A file leaves the line empty when the fault is not written.
struct Fault {
  bool line_file;
  int line;
  int code;
  const char* text;
};

const Fault kFaults[] = {
    {true, 5, 15, "pendenza, 12950, 1"},                                              // 0
    {true, 6, 25, "montagna, 100, abc, 2"},                                           // 1
    {true, 8, 6, "indicatore cartello, 2010, B"},                                     // 2
    {true, 9, 103, "curva, 4000, 100"},                                               // 3
    {false, 5, 15, "stazione, 13020, 22, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, B"},  // 4
    {false, 7, 16, "segnale, 3010, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0"},                    // 5
    {false, 9, 7, "abbattimento, 4710, 60"},                                          // 6
    {false, 10, 25, "segnale, 5000, 2, 3, 0, 0, 0, 2, 2, 0, 0"},                      // 7
};

// Lines 1 to 4 and 7 of the line file, lines 1 to 4, 6 and 8 of the train file hold no fault;
// line 7 of the line file and 6 and 8 of the train file place what the faults collide with.
std::string source(bool line_file, const std::vector<int>& faults) {
  std::vector<std::string> lines =
      line_file
          ? std::vector<std::string>{"[generale]",
                                     "lunghezza percorso, 6000",
                                     "[curve]",
                                     "curvad4, 1500, 300",
                                     "",
                                     "",
                                     "indicatore cartello, 2000, A",
                                     "",
                                     ""}
          : std::vector<std::string>{"[generale]",
                                     "velocita, 0, 30",
                                     "aderenza, 0, 100",
                                     "stazione, 800, 22, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, A",
                                     "",
                                     "segnale, 3000, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0",
                                     "",
                                     "abbattimento, 4700, 60",
                                     "",
                                     ""};
  for (int k : faults) {
    const Fault& f = kFaults[k];
    if (f.line_file == line_file) lines[static_cast<std::size_t>(f.line - 1)] = f.text;
  }
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text + "[fine]\r\n";
}

// (file, line, code) of an error.
using Found = std::tuple<std::string, std::int64_t, int>;

struct Report {
  std::set<Found> errors;
  std::vector<Found> decide;  // the errors marked as deciding the compiled files
  std::string force;          // the bytes of the three files that --force writes
};

Report run(const std::vector<int>& faults) {
  TempDir dir;
  write_bytes(dir.file("Prova_linea.txt"), source(true, faults));
  write_bytes(dir.file("Prova_L1-.txt"), source(false, faults));
  Report report;
  const ProgramResult r = run_program({"check", "--diagnostics=json", "Prova", "L1"}, dir.path());
  EXPECT_EQ(r.status, 1) << r.err;
  const Json items = parse_json(r.err);
  for (const Json& d : items.items) {
    if (d["severity"].text != "error") continue;
    const Found found{d["file"].text, static_cast<std::int64_t>(d["line"].number),
                      static_cast<int>(d["code"].number)};
    EXPECT_TRUE(report.errors.insert(found).second) << "reported twice: " << r.err;
    if (d["decides_outputs"].boolean) report.decide.push_back(found);
  }
  EXPECT_EQ(run_program({"compile", "--force", "Prova", "L1"}, dir.path()).status, 1);
  for (const char* f : {"Prova_linea.dat", "Prova_L1.sim", "Prova_L1.dat"}) {
    report.force += read_bytes(dir.file(f));
  }
  return report;
}

Found expected(int k) {
  const Fault& f = kFaults[k];
  return {f.line_file ? "Prova_linea.txt" : "Prova_L1-.txt", f.line, f.code};
}

TEST(ReadOn, IndependentFaultsTogetherGiveExactlyTheUnionAndForceWritesTheFirstFaultsFiles) {
  std::vector<Report> alone;
  for (int k = 0; k < static_cast<int>(std::size(kFaults)); ++k) {
    SCOPED_TRACE(kFaults[k].text);
    alone.push_back(run({k}));
    EXPECT_EQ(alone.back().errors, std::set<Found>{expected(k)});
    EXPECT_EQ(alone.back().decide, std::vector<Found>{expected(k)});
  }
  // Each combination's faults in file order: the first is the one the compile stops at.
  const std::vector<std::vector<int>> combinations = {
      {0, 4},        // a range fault in each file
      {1, 5, 6},     // a failure in the line file, then two taken cells in the train file
      {2, 3},        // a taken cell and a bad curve in the line file
      {4, 5, 6, 7},  // four in the train file, the last one a value short
      {3, 7},        // a stop in the line file, a failure at the end of the train file
      {1, 3, 5, 7},
  };
  for (const std::vector<int>& faults : combinations) {
    std::string name;
    for (int k : faults) name += std::to_string(k) + " ";
    SCOPED_TRACE("faults " + name);
    const Report together = run(faults);
    std::set<Found> wanted;
    for (int k : faults) wanted.insert(expected(k));
    EXPECT_EQ(together.errors, wanted);
    EXPECT_EQ(together.decide, std::vector<Found>{expected(faults.front())});
    // A range fault in the line file does not stop the compile's reading: the train file is
    // still read into the compiled files, as it always was, so its faults shape them too.
    if (faults.front() == 0) continue;
    EXPECT_TRUE(together.force == alone[static_cast<std::size_t>(faults.front())].force);
  }
}

// The text report of two combinations, as the author reads it.
TEST(ReadOn, TheFirstFaultSaysTheCompileStopsThereAndTheOthersFollowOnce) {
  struct Case {
    std::vector<int> faults;
    std::string err;
  };
  const Case cases[] = {
      {{1, 5, 6},
       R"(Prova_linea.txt:6:16: error 25: "abc" is not a number (value 2 of "montagna")
     6 | montagna, 100, abc, 2
       |                ^~~
note: the compile stops here; the faults below are found by reading on
Prova_L1-.txt:7:1: error 16: the signal's cell at 3000 to 3050 m already holds an object (at 3010 m)
     7 | segnale, 3010, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0
       | ^~~~~~~
note: the cell holds a signal at 3000 m placed at Prova_L1-.txt:6
Prova_L1-.txt:9:1: error 7: the "abbattimento" point's cell at 4650 to 4700 m already holds an object (at 4710 m)
     9 | abbattimento, 4710, 60
       | ^~~~~~~~~~~~
note: the cell holds an "abbattimento" point at 4700 m placed at Prova_L1-.txt:8
)"},
      {{4, 5, 6, 7},
       R"(Prova_L1-.txt:5:11: error 15: "stazione" lies beyond the end of the track table, which takes entries up to 12200 m: the route's 6000 m and its 7000 m run-out, less 800 m (at 13020 m)
     5 | stazione, 13020, 22, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, B
       |           ^~~~~
note: the compile stops here; the faults below are found by reading on
Prova_L1-.txt:7:1: error 16: the signal's cell at 3000 to 3050 m already holds an object (at 3010 m)
     7 | segnale, 3010, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0
       | ^~~~~~~
note: the cell holds a signal at 3000 m placed at Prova_L1-.txt:6
Prova_L1-.txt:9:1: error 7: the "abbattimento" point's cell at 4650 to 4700 m already holds an object (at 4710 m)
     9 | abbattimento, 4710, 60
       | ^~~~~~~~~~~~
note: the cell holds an "abbattimento" point at 4700 m placed at Prova_L1-.txt:8
Prova_L1-.txt:10:1: error 25: "segnale" expects 11 values; line 10 holds 10
    10 | segnale, 5000, 2, 3, 0, 0, 0, 2, 2, 0, 0
       | ^~~~~~~
note: the values ran on into line 11, where "[fine]" is not a number
)"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    write_bytes(dir.file("Prova_linea.txt"), source(true, c.faults));
    write_bytes(dir.file("Prova_L1-.txt"), source(false, c.faults));
    const ProgramResult r = run_program({"check", "Prova", "L1"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, c.err);
  }
}

}  // namespace
}  // namespace sb::test
