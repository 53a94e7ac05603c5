// The usage text, whole and for each command, compared byte for byte with the reviewed texts
// in tests/fixtures/golden/usage.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "driver/options.h"
#include "test_support.h"
#include "usage_words.h"

namespace sb::test {
namespace {

std::string golden(const std::string& leaf) {
  return read_bytes(std::string(SB_FIXTURES) + "/golden/usage/" + leaf);
}

TEST(UsageText, EveryTopicMatchesItsReviewedText) {
  for (const auto& [topic, leaf] :
       {std::pair{Mode::kHelp, "help.txt"}, std::pair{Mode::kBuiltin, "builtin.txt"},
        std::pair{Mode::kSources, "sources.txt"}, std::pair{Mode::kCompile, "compile.txt"},
        std::pair{Mode::kCheck, "check.txt"}, std::pair{Mode::kDump, "dump.txt"},
        std::pair{Mode::kPlan, "plan.txt"}, std::pair{Mode::kDecompile, "decompile.txt"},
        std::pair{Mode::kExplain, "explain.txt"}, std::pair{Mode::kLsp, "lsp.txt"}}) {
    EXPECT_EQ(usage_text(topic), golden(leaf)) << leaf;
  }
}

TEST(UsageText, ThePrintedHelpIsTheReviewedText) {
  TempDir dir;
  for (const auto& [args, leaf] :
       {std::pair<std::vector<std::string>, const char*>{{"--help"}, "help.txt"},
        {{"help"}, "help.txt"},
        {{"help", "help"}, "help.txt"},
        {{"--dir", ".", "-h"}, "help.txt"},
        {{"compile", "A", "--help"}, "compile.txt"},
        {{"help", "check"}, "check.txt"},
        {{"dump", "-h"}, "dump.txt"}}) {
    const ProgramResult r = run_program(args, dir.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, golden(leaf)) << args[0];
  }
}

// Each command's part of the usage names exactly the options the table gives it, and every
// command of the table has a part.
TEST(UsageText, NamesTheOptionsOfTheTable) {
  auto wanted = table_options();
  wanted.erase("help");  // its usage is the whole text
  EXPECT_EQ(usage_options(), wanted);
  const std::string whole = usage_text(Mode::kHelp);
  // A command without options or operands has its name alone on its synopsis line.
  for (const std::string& command : table_commands()) {
    const std::string synopsis = "\n  scenario_builder " + command;
    EXPECT_TRUE(whole.find(synopsis + " ") != std::string::npos ||
                whole.find(synopsis + "\n") != std::string::npos)
        << command;
  }
}

}  // namespace
}  // namespace sb::test
