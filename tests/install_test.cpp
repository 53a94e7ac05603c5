// `cmake --install` lays out the program, its manual page, its bash completion and its
// documentation under a prefix, and the README's links hold there.
#include <gtest/gtest.h>

#include <regex>

#include "test_support.h"

namespace sb::test {
namespace {

// The relative links of a markdown file: the targets of "](target)", without an anchor.
std::vector<std::string> relative_links(const std::string& markdown) {
  static const std::regex kLink(R"(\]\(([^)#:]+)(#[^)]*)?\))");
  std::vector<std::string> links;
  for (auto it = std::sregex_iterator(markdown.begin(), markdown.end(), kLink);
       it != std::sregex_iterator(); ++it) {
    links.push_back((*it)[1]);
  }
  return links;
}

TEST(Install, LaysOutTheProgramAndItsDocumentation) {
  TempDir prefix;
  const ProgramResult r =
      run_program({"--install", SB_BUILD_DIR, "--prefix", prefix.path()}, prefix.path(), SB_CMAKE);
  ASSERT_EQ(r.status, 0) << r.out << r.err;

  const std::string source = SB_SOURCE_DIR;
  const std::string doc = prefix.file("share/doc/scenario_builder");
  struct Installed {
    std::string path;
    std::string from;  // the source file it is a copy of
  };
  const Installed files[] = {
      {"share/man/man1/scenario_builder.1", "docs/scenario_builder.1"},
      {"share/bash-completion/completions/scenario_builder", "completions/scenario_builder.bash"},
      {"share/doc/scenario_builder/README.md", "README.md"},
      {"share/doc/scenario_builder/docs/authoring.md", "docs/authoring.md"},
  };
  for (const Installed& f : files) {
    ASSERT_TRUE(exists(prefix.file(f.path))) << f.path;
    EXPECT_EQ(read_bytes(prefix.file(f.path)), read_bytes(source + "/" + f.from)) << f.path;
  }

  const ProgramResult version =
      run_program({"--version"}, prefix.path(), prefix.file("bin/scenario_builder"));
  EXPECT_EQ(version.status, 0) << version.err;
  EXPECT_EQ(version.out.rfind("scenario_builder ", 0), 0u) << version.out;

  // Every relative link of the README and the manual leads to an installed file.
  for (const std::string& page : {std::string("README.md"), std::string("docs/authoring.md")}) {
    const std::string folder = page.find('/') == std::string::npos ? doc : doc + "/docs";
    for (const std::string& link : relative_links(read_bytes(doc + "/" + page))) {
      EXPECT_TRUE(exists(folder + "/" + link)) << page << " links to " << link;
    }
  }
}

}  // namespace
}  // namespace sb::test
