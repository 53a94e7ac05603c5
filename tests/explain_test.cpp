// `explain`: every fault code and every warning has its explanation, each example gives
// exactly its own code or warning, and the command prints them.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "driver/decompile.h"
#include "driver/decompile_warnings.h"
#include "driver/explain_run.h"
#include "driver/explanations.h"
#include "driver/option_table.h"
#include "example_compile.h"
#include "model/cell_geometry.h"
#include "model/warnings.h"
#include "test_support.h"

namespace sb::test {
namespace {

// Every fault code the program reports.
const std::set<std::int32_t> kFaultCodes = {1,  2,  3,  4,   5,   6,   7,    8,   9,  10,
                                            11, 12, 13, 15,  16,  17,  18,   19,  20, 21,
                                            22, 24, 25, 101, 102, 103, 1250, 1251};

TEST(Explanations, CoverEveryFaultCodeAndEveryWarningOnce) {
  std::set<std::int32_t> codes;
  for (const Explanation& e : fault_explanations()) {
    EXPECT_TRUE(codes.insert(e.code).second) << "code " << e.code << " explained twice";
    EXPECT_TRUE(e.name.empty());
  }
  EXPECT_EQ(codes, kFaultCodes);

  std::vector<std::string_view> explained, warnings;
  for (const Explanation& e : warning_explanations()) {
    EXPECT_EQ(e.code, 0);
    explained.push_back(e.name);
  }
  for (const WarningInfo& w : kWarnings) warnings.push_back(w.name);
  EXPECT_EQ(explained, warnings);
}

TEST(Explanations, EveryOneHasASummaryACauseAndAFix) {
  for (const auto table : {fault_explanations(), warning_explanations()}) {
    for (const Explanation& e : table) {
      const std::string key = explanation_key(e);
      EXPECT_EQ(find_explanation(key), &e) << key;
      const std::string summary = explanation_summary(e);
      EXPECT_FALSE(summary.empty()) << key;
      EXPECT_EQ(summary.find("unknown"), std::string::npos) << key << ": " << summary;
      EXPECT_GT(e.cause.size(), 40u) << key;
      EXPECT_GT(e.fix.size(), 20u) << key;
    }
  }
  EXPECT_EQ(find_explanation("14"), nullptr);
  EXPECT_EQ(find_explanation("unknown"), nullptr);
  EXPECT_EQ(find_explanation(""), nullptr);
}

Diagnosis compile_example(const ExampleScenario& x) {
  return compile_scenario(x.no_line_file ? std::nullopt : std::optional(example_line_file(x)),
                          example_train_file(x));
}

TEST(Explanations, EachFaultExampleGivesExactlyItsCode) {
  for (const Explanation& e : fault_explanations()) {
    const Diagnosis d = compile_example(e.example);
    EXPECT_EQ(d.status, 1) << "code " << e.code << "\n" << d.err;
    EXPECT_EQ(d.faults, std::vector<std::int32_t>{e.code}) << "code " << e.code << "\n" << d.err;
    EXPECT_TRUE(d.warnings.empty()) << "code " << e.code << "\n" << d.err;
    EXPECT_EQ(d.error_stop, e.code >= 1250 ? e.code : 0) << d.err;
  }
}

TEST(Explanations, EachWarningExampleGivesExactlyItsWarningAndNoFault) {
  for (const Explanation& e : warning_explanations()) {
    const Diagnosis d = compile_example(e.example);
    EXPECT_EQ(d.status, 0) << e.name << "\n" << d.err;
    EXPECT_TRUE(d.faults.empty()) << e.name << "\n" << d.err;
    EXPECT_EQ(d.warnings, std::vector<std::string>{std::string(e.name)}) << e.name << "\n" << d.err;
  }
}

TEST(Explanations, TheSmallestFilesCompileCleanly) {
  const Diagnosis d =
      compile_scenario(std::string(kSmallestLineFile), std::string(kSmallestTrainFile));
  EXPECT_EQ(d.status, 0) << d.err;
  EXPECT_TRUE(d.faults.empty()) << d.err;
  EXPECT_TRUE(d.warnings.empty()) << d.err;
}

TEST(Explanations, ARepeatedLineIsWrittenOutForTheProgramAndSummedUpForTheAuthor) {
  const ExampleScenario x{
      .train_file = "[generale]\nstazione, {p}, 26, X\n[fine]\n", .repeat = 3, .step = 400};
  EXPECT_EQ(example_train_file(x),
            "[generale]\nstazione, 0, 26, X\nstazione, 400, 26, X\nstazione, 800, 26, X\n"
            "[fine]\n");
  EXPECT_EQ(shown_train_file(x),
            "[generale]\nstazione, 0, 26, X\nstazione, 400, 26, X\n"
            "... (3 such lines, every 400 m up to 800 m)\n[fine]\n");
  EXPECT_EQ(example_line_file(x), kSmallestLineFile);
}

// The texts written out in tables quote the run-out as the model defines it, as the messages
// built at run time do.
TEST(Explanations, QuoteTheRunOutAsTheModelHasIt) {
  const std::string run_out = std::to_string(kRunOut) + " m";
  const WarningInfo* in_run_out = nullptr;
  for (const WarningInfo& w : kWarnings) {
    if (w.warning == Warning::kInRunOut) in_run_out = &w;
  }
  ASSERT_NE(in_run_out, nullptr);
  EXPECT_NE(in_run_out->summary.find(run_out), std::string_view::npos) << in_run_out->summary;
  bool explained = false;
  for (const Explanation& e : warning_explanations()) {
    if (e.name != in_run_out->name) continue;
    explained = true;
    EXPECT_NE(e.cause.find(run_out), std::string_view::npos) << e.cause;
  }
  EXPECT_TRUE(explained);
}

TEST(ExplainCommand, PrintsTheCauseTheExampleAndTheFix) {
  TempDir dir;
  const ProgramResult r = run_program({"explain", "16"}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  const Explanation& e = *find_explanation("16");
  EXPECT_EQ(r.out, explanation_text(e));
  EXPECT_EQ(r.out.rfind("error 16: " + explanation_summary(e) + "\n", 0), 0u) << r.out;
  for (const char* part : {"\nCause\n", "\nExample\n", "\nFix\n", "segnale, 5010,"}) {
    EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
  }
  for (std::size_t begin = 0, end; begin < r.out.size(); begin = end + 1) {
    end = r.out.find('\n', begin);
    if (r.out.compare(begin, 6, "error ") == 0) continue;  // the summary line is not wrapped
    EXPECT_LE(end - begin, 78u) << r.out.substr(begin, end - begin);
  }
  EXPECT_TRUE(r.err.empty()) << r.err;
}

TEST(ExplainCommand, ExplainsAWarningByItsName) {
  TempDir dir;
  const ProgramResult r = run_program({"explain", "list-start"}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("warning list-start: ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("aderenza, 1000, 100"), std::string::npos) << r.out;
}

TEST(ExplainCommand, AloneListsEveryCodeAndWarningWithItsSummary) {
  TempDir dir;
  const ProgramResult r = run_program({"explain"}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, explanation_list());
  for (const auto table : {fault_explanations(), warning_explanations()}) {
    for (const Explanation& e : table) {
      const std::string row = "  " + explanation_key(e) + " ";
      const std::size_t at = r.out.find("\n" + row);
      ASSERT_NE(at, std::string::npos) << row;
      const std::size_t end = r.out.find('\n', at + 1);
      EXPECT_NE(r.out.substr(at, end - at).find(explanation_summary(e)), std::string::npos);
    }
  }
}

TEST(ExplainCommand, RefusesWhatItDoesNotKnow) {
  TempDir dir;
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"explain", "14"}, "no fault code, warning or command is called \"14\""},
      {{"explain", "Unknown-Keyword"},
       "no fault code, warning or command is called \"Unknown-Keyword\""},
      {{"explain", "16", "17"}, "unexpected argument \"17\""},
  };
  for (const Case& c : cases) {
    const ProgramResult r = run_program(c.args, dir.path());
    EXPECT_EQ(r.status, 2) << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
  }
}

// A key near a warning's name is offered it; a fault code one digit off is another fault.
TEST(ExplainCommand, OffersTheWarningNearAMistypedKey) {
  TempDir dir;
  const std::pair<std::string, std::string> cases[] = {
      {"curve_order",
       "scenario_builder: no fault code, warning or command is called \"curve_order\"; "
       "'scenario_builder "
       "explain' lists them; did you mean \"curve-order\"?\n"},
      {"Unknown-Keyword",
       "scenario_builder: no fault code, warning or command is called \"Unknown-Keyword\"; "
       "'scenario_builder "
       "explain' lists them; did you mean \"unknown-keyword\"?\n"},
      {"namecharacters",
       "scenario_builder: no fault code, warning or command is called \"namecharacters\"; "
       "'scenario_builder "
       "explain' lists them; did you mean \"name-characters\"?\n"},
      {"61",
       "scenario_builder: no fault code, warning or command is called \"61\"; 'scenario_builder "
       "explain' "
       "lists them\n"},
  };
  for (const auto& [key, err] : cases) {
    const ProgramResult r = run_program({"explain", key}, dir.path());
    EXPECT_EQ(r.status, 2) << key;
    EXPECT_EQ(r.err, err);
  }
}

}  // namespace
// A command is explained by its own part of the usage text, whatever it is; the list names
// every command that has one, so the shell completion offers them.
TEST(ExplainCommand, ExplainsEveryCommandByItsUsage) {
  TempDir dir;
  const std::string list = explanation_list();
  std::size_t explained = 0;
  for (const CommandRow& c : command_table()) {
    if (c.name.empty() || c.about.empty()) continue;
    ++explained;
    const ProgramResult r = run_program({"explain", std::string(c.name)}, dir.path());
    ASSERT_EQ(r.status, 0) << c.name << r.err;
    EXPECT_EQ(r.out, usage_text(c.mode)) << c.name;
    EXPECT_NE(list.find("\n  " + std::string(c.name) + " "), std::string::npos) << c.name;
  }
  EXPECT_GE(explained, 8u);
  const ProgramResult r = run_program({"explain", "decompile"}, dir.path());
  EXPECT_EQ(r.out, read_bytes(std::string(SB_FIXTURES) + "/golden/usage/decompile.txt"));
  EXPECT_NE(list.find("\nCommands (scenario_builder explain COMMAND):\n"), std::string::npos);
  EXPECT_NE(list.find("\n  decompile  Recover the text files of a compiled scenario\n"),
            std::string::npos)
      << list;
}

// The explanation of a warning of decompile, word for word.
TEST(ExplainCommand, ExplainsAWarningOfDecompile) {
  TempDir dir;
  const ProgramResult r = run_program({"explain", "no-route-matrix"}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "warning no-route-matrix (decompile): the curves are unknown: there is no route "
            "matrix file\n"
            "\n"
            "Cause\n"
            "  The scenario was compiled without its route plan (--no-geometry), so there\n"
            "  is no route matrix file, and the curves are kept nowhere else. The recovered\n"
            "  line file has no curve entry.\n"
            "\n"
            "Example\n"
            "    scenario_builder compile --no-geometry SCENARIO LINE\n"
            "    scenario_builder decompile --out recovered SCENARIO LINE\n"
            "\n"
            "Fix\n"
            "  Decompile from a compile with the route plan if there is one; otherwise the\n"
            "  recovered files give the same bytes again when compiled with --no-geometry.\n"
            "  Add the curves by hand before compiling with the route plan.\n");
  const ProgramResult near = run_program({"explain", "no-route-matrx"}, dir.path());
  EXPECT_EQ(near.status, 2);
  EXPECT_NE(near.err.find("did you mean \"no-route-matrix\"?"), std::string::npos) << near.err;
}

// Every warning decompile gives carries a name that explain knows: the warnings of a build
// without the route plan, of files compiled after a fault and of a hand-edited cell.
TEST(ExplainCommand, EveryWarningOfDecompileIsNamedAndExplained) {
  const std::string list = explanation_list();
  for (const DecompileWarning& w : decompile_warnings()) {
    EXPECT_NE(list.find("\n  " + std::string(w.name) + " "), std::string::npos) << w.name;
    EXPECT_FALSE(w.summary.empty() || w.cause.empty() || w.example.empty() || w.fix.empty())
        << w.name;
    const std::string text = decompile_warning_text(w);
    EXPECT_EQ(text.rfind("warning " + std::string(w.name) + " (decompile): ", 0), 0u) << text;
  }
  // A decompile without a route plan and of a track table with one cell's field changed.
  const MemoryBuild first = compile_in_memory("S", "L", std::string(kSmallestLineFile),
                                              std::string(kSmallestTrainFile), false);
  CompiledTables t;
  t.track = first.scenario->track_table;
  t.stations.assign(first.scenario->station_table.begin(), first.scenario->station_table.end());
  ASSERT_GT(t.track.size(), 10u);
  t.track[10].value3 = 1234;
  const DecompiledFiles d = decompile(t, "S", "L");
  ASSERT_GE(d.warnings.size(), 2u);
  std::set<std::string> names;
  for (const std::string& w : d.warnings) {
    ASSERT_EQ(w.back(), ']') << w;
    const std::string name = w.substr(w.rfind(" [") + 2, w.size() - w.rfind(" [") - 3);
    EXPECT_NE(find_decompile_warning(name), nullptr) << w;
    names.insert(name);
  }
  EXPECT_TRUE(names.contains("no-route-matrix"));
  EXPECT_TRUE(names.contains("round-trip-difference"));
}

}  // namespace sb::test
