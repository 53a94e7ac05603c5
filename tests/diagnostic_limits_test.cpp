// How many diagnostics are kept: past --error-limit and --warning-limit they are counted, not
// kept, one line says how many more were found, and a file of junk costs a bounded report.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "driver/diagnostics.h"
#include "driver/lsp/json.h"
#include "model/diagnostic.h"
#include "test_support.h"

namespace sb::test {
namespace {

Diagnostic fault(int n) {
  Diagnostic d;
  d.code = 15;
  d.message = "fault " + std::to_string(n);
  return d;
}

Diagnostic warning(const std::string& file, int n) {
  Diagnostic d;
  d.severity = Severity::kWarning;
  d.where.file = file;
  d.message = "warning " + std::to_string(n);
  return d;
}

std::size_t kept(const Diagnostics& found, Severity severity) {
  std::size_t n = 0;
  for (const Diagnostic& d : found.items) n += d.severity == severity ? 1 : 0;
  return n;
}

TEST(DiagnosticLimits, KeepUpToEachLimitAndCountTheRest) {
  struct Case {
    DiagnosticLimits limits;
    std::size_t faults_kept, warnings_kept;
  };
  // 25 faults, and 30 warnings in each of two files, found interleaved.
  const Case cases[] = {
      {{0, 0, true}, 25, 60},
      {{20, 50, true}, 20, 60},
      {{20, 10, true}, 20, 20},
      {{1, 0, false}, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.limits.errors) + "/" +
                 std::to_string(c.limits.warnings_per_file));
    Diagnostics found;
    found.limits = c.limits;
    for (int k = 0; k < 30; ++k) {
      if (k < 25) found.add(fault(k)).notes.push_back("note");
      found.add(warning("a.txt", k));
      found.add(warning("b.txt", k));
    }
    EXPECT_EQ(kept(found, Severity::kError), c.faults_kept);
    EXPECT_EQ(kept(found, Severity::kWarning), c.warnings_kept);
    EXPECT_EQ(found.faults(), 25u);
    EXPECT_EQ(found.warnings(), 60u);
    EXPECT_EQ(found.faults_not_kept(), 25u - c.faults_kept);
    ASSERT_EQ(found.warnings_by_file().size(), 2u);
    EXPECT_EQ(found.warnings_by_file()[0].file, "a.txt");
    EXPECT_EQ(found.warnings_by_file()[0].found, 30u);
    EXPECT_EQ(found.warnings_by_file()[1].kept, c.warnings_kept / 2);
    // The last fault is the last found, kept or not, with what it was given.
    ASSERT_NE(found.last_fault(), nullptr);
    EXPECT_EQ(found.last_fault()->message, "fault 24");
    EXPECT_EQ(found.last_fault()->notes, std::vector<std::string>{"note"});
  }
}

TEST(DiagnosticLimits, OneLineSaysHowManyMoreWereFoundAndHowToSeeThem) {
  Diagnostics found;
  found.limits = {2, 1, true};
  for (int k = 0; k < 5; ++k) found.add(fault(k));
  for (int k = 0; k < 3; ++k) found.add(warning("Prova_L1-.txt", k));
  found.add(warning("Prova_linea.txt", 0));
  EXPECT_EQ(limit_lines(found, {}),
            (std::vector<std::string>{
                "3 more faults were found and not shown (--error-limit=2); --error-limit=0 shows "
                "them all",
                "2 more warnings in Prova_L1-.txt were found and not shown (--warning-limit=1); "
                "--warning-limit=0 shows them all"}));
  // Warnings that are not shown get no line about their limit.
  EXPECT_EQ(limit_lines(found, {.warnings = false}).size(), 1u);
  Diagnostics none;
  EXPECT_TRUE(limit_lines(none, {}).empty());
}

TEST(DiagnosticLimits, JsonGivesEachLimitLineAsANote) {
  Diagnostics found;
  found.limits = {1, 0, true};
  found.add(fault(0));
  found.add(fault(1));
  std::ostringstream out;
  report_diagnostics(found, {.json = true}, out);
  const Json items = parse_json(out.str());
  ASSERT_EQ(items.items.size(), 2u);
  EXPECT_EQ(items.items[0]["severity"].text, "error");
  EXPECT_EQ(items.items[1]["severity"].text, "note");
  EXPECT_TRUE(items.items[1]["code"].is_null());
  EXPECT_EQ(items.items[1]["message"].text,
            "1 more fault was found and not shown (--error-limit=1); --error-limit=0 shows them "
            "all");
}

// A train file of 100 000 junk lines: a few lines of report, and the exit status of a file
// whose only diagnostics are warnings.
TEST(DiagnosticLimits, AHundredThousandJunkLinesGiveABoundedReport) {
  TempDir dir;
  write_bytes(dir.file("Prova_linea.txt"), "[generale]\r\nlunghezza percorso, 6000\r\n[fine]\r\n");
  std::string junk = "[generale]\r\nvelocita, 0, 30\r\naderenza, 0, 100\r\n";
  for (int k = 0; k < 100000; ++k) junk += "x\r\n";
  write_bytes(dir.file("Prova_L1-.txt"), junk + "[fine]\r\n");
  const std::string limit_line =
      "scenario_builder: 99950 more warnings in Prova_L1-.txt were found and not shown "
      "(--warning-limit=50); --warning-limit=0 shows them all\n";

  ProgramResult r = run_program({"check", "Prova", "L1"}, dir.path());
  EXPECT_EQ(r.status, 0);
  ASSERT_GE(r.err.size(), limit_line.size());
  EXPECT_EQ(r.err.substr(r.err.size() - limit_line.size()), limit_line);
  EXPECT_LT(r.err.size(), 64u * 1024u);
  EXPECT_NE(r.out.find("; 0 errors, 100000 warnings\n"), std::string::npos) << r.out;

  r = run_program({"check", "--warnings-as-errors", "--warning-limit=3", "Prova", "L1"},
                  dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("99997 more warnings in Prova_L1-.txt were found"), std::string::npos);

  r = run_program({"check", "--no-warnings", "Prova", "L1"}, dir.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("; 0 errors, 100000 warnings\n"), std::string::npos) << r.out;

  r = run_program({"check", "--error-limit=twenty", "Prova", "L1"}, dir.path());
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--error-limit takes a whole number, 0 for no limit, not \"twenty\""),
            std::string::npos)
      << r.err;
}

}  // namespace
}  // namespace sb::test
