// The author's manual, docs/authoring.md, against the program: its section on faults and
// warnings is made from the explanations that `explain` prints, it documents every keyword the
// reader recognises, and every example in it compiles as it says.
//
// Examples, in the manual and in the README, are fenced blocks whose info string names what
// they hold (manual_examples.h).
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>

#include "driver/explanations.h"
#include "example_compile.h"
#include "manual_examples.h"
#include "reader/keywords.h"
#include "reader/text_match.h"

namespace sb::test {
namespace {

constexpr std::string_view kBegin = "<!-- explanations:begin -->\n";
constexpr std::string_view kEnd = "<!-- explanations:end -->\n";

// ---- The section on faults and warnings -------------------------------------------------

std::string fenced(const std::string& text) {
  return "```text\n" + text + "```\n";
}

std::string markdown(const Explanation& e) {
  std::string out = "#### " + explanation_key(e) + ": " + explanation_summary(e) + "\n\n" +
                    std::string(e.cause) + "\n\n";
  const ExampleScenario& x = e.example;
  if (x.no_line_file) {
    out += "Example: a folder that holds the train file but no line file.\n\n";
  } else if (!x.line_file.empty() && !x.train_file.empty()) {
    out += "Example, this line file:\n\n" + fenced(shown_line_file(x)) +
           "\nand this train file:\n\n" + fenced(shown_train_file(x)) + "\n";
  } else if (!x.line_file.empty()) {
    out += "Example, with the smallest train file:\n\n" + fenced(shown_line_file(x)) + "\n";
  } else {
    out += "Example, with the smallest line file:\n\n" + fenced(shown_train_file(x)) + "\n";
  }
  return out + "**Fix.** " + std::string(e.fix) + "\n\n";
}

// The section as the explanations make it.
std::string explanations_section() {
  std::string out = "### 13.1 Fault codes\n\n";
  for (const Explanation& e : fault_explanations()) out += markdown(e);
  out += "### 13.2 Warnings\n\n";
  for (const Explanation& e : warning_explanations()) out += markdown(e);
  return out;
}

TEST(Manual, ItsFaultsAndWarningsAreWhatExplainSays) {
  std::string manual = read_bytes(kManual);
  const std::size_t begin = manual.find(kBegin);
  const std::size_t end = manual.find(kEnd);
  ASSERT_NE(begin, std::string::npos);
  ASSERT_NE(end, std::string::npos);
  ASSERT_LT(begin, end);
  const std::size_t from = begin + kBegin.size();
  const std::string wanted = explanations_section();
  if (manual.compare(from, end - from, wanted) == 0) return;
  if (std::getenv("SB_UPDATE_MANUAL") != nullptr) {
    manual.replace(from, end - from, wanted);
    write_bytes(kManual, manual);
    GTEST_SKIP() << "rewrote the section of " << kManual;
  }
  ADD_FAILURE() << "The section between the explanations markers of " << kManual
                << " differs from the program's explanations; run this test with "
                   "SB_UPDATE_MANUAL=1 to write it anew.";
}

// ---- Examples ---------------------------------------------------------------------------

TEST(Manual, EveryExampleCompilesAsItSays) {
  std::vector<Example> all = examples(kManual);
  ASSERT_FALSE(all.empty());
  const std::vector<Example> readme = examples(kReadme);
  ASSERT_FALSE(readme.empty());
  all.insert(all.end(), readme.begin(), readme.end());
  for (const Example& x : all) {
    if (x.with_line_file) {
      ASSERT_FALSE(x.line_file.empty()) << x.where;
    }
    const auto [line, train] = scenario_of(x);
    const Diagnosis d = compile_scenario(line, train);
    const std::string where = x.where + "\n" + d.err;
    std::vector<std::int32_t> faults;
    std::vector<std::string> warnings;
    if (x.expect.rfind("fault=", 0) == 0) faults.push_back(std::stoi(x.expect.substr(6)));
    if (x.expect.rfind("warning=", 0) == 0) warnings.push_back(x.expect.substr(8));
    EXPECT_EQ(d.status, faults.empty() ? 0 : 1) << where;
    EXPECT_EQ(d.faults, faults) << where;
    EXPECT_EQ(d.warnings, warnings) << where;
  }
}

// A block "output explain=CODE" is the start of what compiling that code's example prints,
// as scenario "Monte" on the line "L1".
TEST(Manual, ShowsWhatTheProgramPrints) {
  int shown = 0;
  for (const Example& x : examples(kManual, {"output"})) {
    ASSERT_EQ(x.expect.rfind("explain=", 0), 0u) << x.where;
    const Explanation* e = find_explanation(x.expect.substr(8));
    ASSERT_NE(e, nullptr) << x.where;
    const Diagnosis d = compile_scenario(example_line_file(e->example),
                                         example_train_file(e->example), "Monte", "L1");
    EXPECT_EQ(d.err.substr(0, x.text.size()), x.text) << x.where;
    ++shown;
  }
  EXPECT_GT(shown, 0);
}

// ---- Keywords ---------------------------------------------------------------------------

TEST(Manual, DocumentsEveryKeywordWithAnExampleThatCompiles) {
  const std::vector<std::string> lines = lines_of(read_bytes(kManual));
  const std::vector<Example> all = examples(kManual);
  for (const Keyword& k : kKeywords) {
    const std::string title = "`" + std::string(k.spelling) + "`";
    bool documented = false;
    for (const std::string& l : lines) {
      documented = documented || (l.rfind("#### ", 0) == 0 && l.find(title) != std::string::npos);
    }
    EXPECT_TRUE(documented) << "no heading names " << title;

    // An example in a file of the keyword's own kind has an entry that the reader takes for it.
    const bool train = k.pass == Pass::kTrain;
    bool shown = false;
    for (const Example& x : all) {
      if ((x.kind.rfind("train", 0) == 0) != train) continue;
      for (const std::string& l : lines_of(x.text)) {
        shown = shown || (matches(k, keyword_field(l)) && l.find(',') != std::string::npos);
      }
    }
    EXPECT_TRUE(shown) << "no example holds an entry " << title;
  }
}

}  // namespace
}  // namespace sb::test
