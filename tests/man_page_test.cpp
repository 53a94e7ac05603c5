// The manual page: it renders without a warning and names every command and option that the
// program's usage lists.
#include <gtest/gtest.h>

#include "test_support.h"
#include "usage_words.h"

namespace sb::test {
namespace {

const std::string kManPage = std::string(SB_SOURCE_DIR) + "/docs/scenario_builder.1";

bool have(const std::string& tool) {
  TempDir dir;
  return run_program({"-c", "command -v " + tool}, dir.path(), "/bin/sh").status == 0;
}

TEST(ManPage, RendersWithoutWarnings) {
  TempDir dir;
  bool linted = false;
  if (have("groff")) {
    const ProgramResult g =
        run_program({"-c", "groff -ww -z -man \"$0\"", kManPage}, dir.path(), "/bin/sh");
    EXPECT_EQ(g.status, 0) << g.err;
    EXPECT_EQ(g.err, "") << "groff -ww -z -man";
    linted = true;
  }
  if (have("mandoc")) {
    const ProgramResult m =
        run_program({"-c", "mandoc -T lint -W warning \"$0\"", kManPage}, dir.path(), "/bin/sh");
    EXPECT_EQ(m.status, 0) << m.out << m.err;
    EXPECT_EQ(m.out + m.err, "") << "mandoc -T lint";
    linted = true;
  }
  if (!linted) GTEST_SKIP() << "neither groff nor mandoc is installed to lint the manual page";
}

TEST(ManPage, HasEverySectionCommandAndOption) {
  const std::string page = read_bytes(kManPage);
  for (const char* section : {"NAME", "SYNOPSIS", "DESCRIPTION", "COMMANDS", "OPTIONS",
                              "EXIT STATUS", "FILES", "EXAMPLES"}) {
    EXPECT_NE(page.find(std::string("\n.SH ") + section + "\n"), std::string::npos) << section;
  }
  for (const auto& [command, options] : usage_options()) {
    if (!command.empty()) {
      EXPECT_NE(page.find("\n.B " + command), std::string::npos) << command;
    }
    for (const std::string& option : options) {
      // Hyphens are written "\-" in the page.
      std::string written;
      for (char c : option) written += c == '-' ? std::string("\\-") : std::string(1, c);
      EXPECT_NE(page.find(written), std::string::npos) << option;
    }
  }
}

}  // namespace
}  // namespace sb::test
