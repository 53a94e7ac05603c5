// The manual page: it renders without a warning, and names every command and option of the
// program's tables and no other option.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "driver/option_table.h"
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
  if (kWindows) GTEST_SKIP() << "groff and mandoc cannot be started from the Windows tests";
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
  for (const std::string& command : table_commands()) {
    EXPECT_NE(page.find("\n.B " + command), std::string::npos) << command;
  }
  for (const std::string& option : table_spellings()) {
    // Hyphens are written "\-" in the page.
    std::string written;
    for (char c : option) written += c == '-' ? std::string("\\-") : std::string(1, c);
    EXPECT_NE(page.find(written), std::string::npos) << option;
  }
}

// The lines of one section of the page, without its ".SH" line.
std::vector<std::string> section(const std::string& page, const std::string& name) {
  std::vector<std::string> lines;
  std::size_t begin = page.find("\n.SH " + name + "\n");
  if (begin == std::string::npos) return lines;
  begin = page.find('\n', begin + 1) + 1;
  while (begin < page.size() && page.compare(begin, 4, ".SH ") != 0) {
    const std::size_t end = page.find('\n', begin);
    lines.push_back(page.substr(begin, end - begin));
    begin = end == std::string::npos ? page.size() : end + 1;
  }
  return lines;
}

// The words of a request line after the request, hyphens unescaped, split at blanks, quotes,
// commas, parentheses and "=": the words of `.BR \-v ", " \-\-verbose` are -v and --verbose.
std::vector<std::string> words(const std::string& line) {
  std::string plain;
  for (std::size_t k = line.find(' '); k != std::string::npos && k < line.size(); ++k) {
    if (line.compare(k, 2, "\\-") == 0) {
      plain += '-';
      ++k;
    } else {
      plain += std::string(" \t\",()=").find(line[k]) == std::string::npos ? line[k] : ' ';
    }
  }
  std::vector<std::string> result;
  std::istringstream in(plain);
  for (std::string word; in >> word;) result.push_back(word);
  return result;
}

std::set<std::string> options_among(const std::vector<std::string>& ws) {
  std::set<std::string> options;
  for (const std::string& w : ws) {
    if (w.size() > 1 && w[0] == '-') options.insert(w);
  }
  return options;
}

// The entries of OPTIONS are the table's options and the program's own --help, --version
// and "--"; an option that the built-in run does not take names its commands.
TEST(ManPage, DescribesTheOptionsOfTheTableAndNoOthers) {
  const std::vector<std::string> lines = section(read_bytes(kManPage), "OPTIONS");
  std::set<std::string> described;
  std::map<std::string, std::set<std::string>> commands_named;
  for (std::size_t k = 0; k + 1 < lines.size(); ++k) {
    if (lines[k] != ".TP") continue;
    const std::set<std::string> heading = options_among(words(lines[k + 1]));
    described.insert(heading.begin(), heading.end());
    if (k + 2 < lines.size() && lines[k + 2].starts_with(".RB (")) {
      const std::vector<std::string> named = words(lines[k + 2]);
      for (const std::string& option : heading) {
        commands_named[option].insert(named.begin(), named.end());
      }
    }
  }
  std::set<std::string> wanted = table_spellings();
  wanted.insert({"--", "-h", "--help", "--version"});
  EXPECT_EQ(described, wanted);

  for (const OptionRow& option : option_table()) {
    if (option.commands.has(Mode::kBuiltin)) continue;  // described in words
    std::set<std::string> commands;
    for (const CommandRow& command : command_table()) {
      if (option.commands.has(command.mode)) commands.insert(std::string(command.name));
    }
    EXPECT_EQ(commands_named[std::string(option.name)], commands) << option.name;
  }
}

// Each command's synopsis shows the options of its own that the table gives it, and
// "diagnostic options" where it takes those.
TEST(ManPage, SynopsisShowsTheOptionsOfEachCommand) {
  const std::vector<std::string> lines = section(read_bytes(kManPage), "SYNOPSIS");
  std::map<std::string, std::set<std::string>> shown;
  std::optional<std::string> command;
  std::set<std::string> options;
  for (const std::string& line : lines) {
    const std::vector<std::string> ws = words(line);
    if (line.starts_with(".SY ")) {
      command.reset();
      options.clear();
    } else if (line.starts_with(".B ") && !ws.empty() && ws[0][0] != '-') {
      command = ws[0];
    } else if (line.starts_with(".OP ") && !ws.empty() && ws[0] != "--") {
      options.insert(ws[0]);
    } else if (line.find("\"diagnostic options\"") != std::string::npos) {
      options.insert("diagnostic options");
    } else if (line == ".YS" && (command || !options.empty())) {
      shown[command.value_or("")] = options;  // no command: the built-in run
    }
  }
  std::map<std::string, std::set<std::string>> wanted;
  for (const CommandRow& command : command_table()) {
    std::set<std::string>& own = wanted[std::string(command.name)];
    for (const OptionRow& option : option_table()) {
      if (!option.commands.has(command.mode)) continue;
      own.insert(option.group == OptionGroup::kOwn ? std::string(option.name)
                                                   : "diagnostic options");
    }
  }
  EXPECT_EQ(shown, wanted);
}

// The words of a shell command line as the page writes it: "\-" is "-", double quotes group.
std::vector<std::string> example_words(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, started = false;
  for (std::size_t k = 0; k < line.size(); ++k) {
    const char c = line[k];
    if (c == '\\' && k + 1 < line.size()) {
      word += line[++k];
      started = true;
    } else if (c == '"') {
      quoted = !quoted;
      started = true;
    } else if (c == ' ' && !quoted) {
      if (started) words.push_back(word);
      word.clear();
      started = false;
    } else {
      word += c;
      started = true;
    }
  }
  if (started) words.push_back(word);
  return words;
}

// Every command of the EXAMPLES section, run in order in one fresh folder as a reader would
// type them, succeeds: the examples hang together (each finds what those before it made).
TEST(ManPage, ExamplesRunInOrder) {
  const std::string page = read_bytes(kManPage);
  const std::size_t begin = page.find("\n.SH EXAMPLES\n");
  ASSERT_NE(begin, std::string::npos);
  const std::size_t end = page.find("\n.SH ", begin + 1);
  std::istringstream section(page.substr(begin, end - begin));
  TempDir dir;
  std::string cwd = dir.path();
  bool in_example = false;
  int run = 0;
  for (std::string line; std::getline(section, line);) {
    if (line == ".nf" || line == ".fi") {
      in_example = line == ".nf";
      continue;
    }
    if (!in_example) continue;
    SCOPED_TRACE(line);
    std::vector<std::string> words = example_words(line);
    ASSERT_FALSE(words.empty());
    const std::string program = words[0];
    words.erase(words.begin());
    if (program == "cd") {
      ASSERT_EQ(words.size(), 1u);
      cwd = cwd + "/" + words[0];
    } else if (program == "mv") {
      ASSERT_EQ(words.size(), 2u);
      std::filesystem::rename(fs_path(cwd + "/" + words[0]), fs_path(cwd + "/" + words[1]));
    } else {
      ASSERT_EQ(program, "scenario_builder");
      const ProgramResult r = run_program(words, cwd);
      EXPECT_EQ(r.status, 0) << r.err;
    }
    ++run;
  }
  EXPECT_GT(run, 5);
}

}  // namespace
}  // namespace sb::test
