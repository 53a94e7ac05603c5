// The bash completion, driven in bash as the shell drives it: COMP_WORDS and COMP_CWORD set,
// _scenario_builder called, COMPREPLY read back.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "driver/option_table.h"
#include "test_support.h"
#include "usage_words.h"

namespace sb::test {
namespace {

const std::string kScript = std::string(SB_SOURCE_DIR) + "/completions/scenario_builder.bash";

// The lines of `text` that are not empty.
std::set<std::string> nonempty_lines(const std::string& text) {
  std::set<std::string> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t end = text.find('\n', begin);
    if (end > begin) lines.insert(text.substr(begin, end - begin));
    begin = end + 1;
  }
  return lines;
}

// The candidates offered for the last of `words`, sorted, completed in the folder `cwd`.
std::set<std::string> complete(const std::vector<std::string>& words, const std::string& cwd) {
  std::vector<std::string> args = {
      "--norc", "--noprofile", "-c",
      "source \"$0\" && COMP_WORDS=(\"$@\") && COMP_CWORD=$(($# - 1)) && _scenario_builder && "
      "printf '%s\\n' \"${COMPREPLY[@]}\"",
      kScript};
  args.insert(args.end(), words.begin(), words.end());
  const ProgramResult r = run_program(args, cwd, "/bin/bash");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  return nonempty_lines(r.out);
}

// Why the completion cannot be driven here, or nothing when bash is there to drive it.
std::optional<std::string> no_bash() {
  if (kWindows) return "the completion is driven by bash, which the Windows tests cannot start";
  if (!exists("/bin/bash")) return "bash is not installed";
  return std::nullopt;
}

TEST(Completion, IsRegisteredForTheCommand) {
  if (const auto why = no_bash()) GTEST_SKIP() << *why;
  TempDir dir;
  const ProgramResult r =
      run_program({"--norc", "-c", "source \"$0\" && complete -p scenario_builder", kScript},
                  dir.path(), "/bin/bash");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "complete -F _scenario_builder scenario_builder\n");
}

TEST(Completion, OffersTheCommandsTheOptionsAndTheirValues) {
  if (const auto why = no_bash()) GTEST_SKIP() << *why;
  TempDir dir;
  const std::string sb = "scenario_builder";
  const std::set<std::string> commands = table_commands();
  EXPECT_EQ(complete({sb, ""}, dir.path()), commands);
  EXPECT_EQ(complete({sb, "co"}, dir.path()), std::set<std::string>{"compile"});
  EXPECT_EQ(complete({sb, "--dir", ".", "co"}, dir.path()), std::set<std::string>{});
  EXPECT_EQ(complete({sb, "dump", "--type", ""}, dir.path()),
            (std::set<std::string>{"track", "stations", "route"}));
  EXPECT_EQ(complete({sb, "dump", "--type", "s"}, dir.path()), std::set<std::string>{"stations"});

  // Every option that the table gives a command, and --help (and --version alone); an
  // option that takes its value after "=" is offered as "--color=".
  for (const auto& [command, options] : table_options()) {
    std::vector<std::string> words = {sb};
    if (!command.empty()) words.push_back(command);
    words.push_back("-");
    std::set<std::string> offered;
    for (std::string option : complete(words, dir.path())) {
      if (option.back() == '=') option.pop_back();
      offered.insert(option);
    }
    std::set<std::string> wanted = options;
    wanted.insert("--help");
    if (command.empty()) wanted.insert("--version");
    EXPECT_EQ(offered, wanted) << "scenario_builder " << command;
  }
  EXPECT_EQ(complete({sb, "help", ""}, dir.path()), commands);

  // The values of --color and --diagnostics, in every way bash may cut the word.
  const std::set<std::string> colors = {"auto", "always", "never"};
  EXPECT_EQ(complete({sb, "compile", "--color", ""}, dir.path()), colors);
  EXPECT_EQ(complete({sb, "compile", "--color", "=", ""}, dir.path()), colors);
  EXPECT_EQ(complete({sb, "compile", "--color", "="}, dir.path()), colors);
  EXPECT_EQ(complete({sb, "check", "--color", "=", "a"}, dir.path()),
            (std::set<std::string>{"auto", "always"}));
  EXPECT_EQ(complete({sb, "check", "--color=n"}, dir.path()),
            std::set<std::string>{"--color=never"});
  EXPECT_EQ(complete({sb, "check", "--diagnostics", "=", ""}, dir.path()),
            (std::set<std::string>{"json", "text"}));
}

// The word after an option that takes a value is that value, for exactly the options of the
// table that take one; an option with a fixed few values is offered them after every command
// that takes it.
TEST(Completion, KnowsWhichOptionsTakeAValueAndTheirChoices) {
  if (const auto why = no_bash()) GTEST_SKIP() << *why;
  TempDir dir;
  std::vector<std::string> args = {
      "--norc", "--noprofile", "-c",
      "source \"$0\" && for o; do _scenario_builder_takes_value \"$o\" && echo \"$o\"; done; true",
      kScript};
  std::set<std::string> wanted;
  for (const OptionRow& option : option_table()) {
    args.push_back(std::string(option.name));
    if (!option.alias.empty()) args.push_back(std::string(option.alias));
    if (option.takes_value()) wanted.insert(std::string(option.name));
  }
  args.insert(args.end(), {"--help", "--version", "--"});
  const ProgramResult r = run_program(args, dir.path(), "/bin/bash");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(nonempty_lines(r.out), wanted);

  for (const OptionRow& option : option_table()) {
    if (option.choices.empty()) continue;
    const std::set<std::string> choices(option.choices.begin(), option.choices.end());
    for (const CommandRow& command : command_table()) {
      if (!option.commands.has(command.mode)) continue;
      std::vector<std::string> words = {"scenario_builder"};
      if (!command.name.empty()) words.push_back(std::string(command.name));
      words.insert(words.end(), {std::string(option.name), ""});
      EXPECT_EQ(complete(words, dir.path()), choices) << option.name << " " << command.name;
    }
  }
}

TEST(Completion, NamesTheScenariosAndLinesOfTheDirFolder) {
  if (const auto why = no_bash()) GTEST_SKIP() << *why;
  TempDir dir;
  for (const char* leaf :
       {"Roccalta_ Valfiorita_linea.txt", "Roccalta_ Valfiorita_LINEA 7-.txt",
        "Roccalta_ Valfiorita_LINEA 8-.txt", "Monte_linea.txt", "Monte_L1-.txt",
        "Monte_L1_note.txt", "Piano_linea.dat", "Piano_P2.sim", "Piano_P2.dat"}) {
    write_bytes(dir.file(leaf), "");
  }
  TempDir elsewhere;
  const std::string sb = "scenario_builder";
  const std::string d = dir.path();
  EXPECT_EQ(complete({sb, "compile", "--dir", d, ""}, elsewhere.path()),
            (std::set<std::string>{"Roccalta_ Valfiorita", "Monte"}));
  EXPECT_EQ(complete({sb, "compile", ""}, d),
            (std::set<std::string>{"Roccalta_ Valfiorita", "Monte"}));
  EXPECT_EQ(complete({sb, "compile", "--dir", d, "Ro"}, elsewhere.path()),
            std::set<std::string>{"Roccalta_ Valfiorita"});
  // The scenario as typed, escaped or quoted, and the line after it.
  for (const char* typed :
       {"Roccalta_\\ Valfiorita", "\"Roccalta_ Valfiorita\"", "'Roccalta_ Valfiorita'"}) {
    EXPECT_EQ(complete({sb, "compile", "--dir", d, typed, ""}, elsewhere.path()),
              (std::set<std::string>{"LINEA 7", "LINEA 8"}))
        << typed;
  }
  EXPECT_EQ(complete({sb, "compile", "--no-geometry", "Monte", "--out", ".", ""}, d),
            std::set<std::string>{"L1"});
  EXPECT_EQ(complete({sb, "compile", "Monte", "L1", ""}, d), std::set<std::string>{});
  // check reads the same files; "--color=never" split by bash is no operand; after "--"
  // every word is one.
  EXPECT_EQ(complete({sb, "check", "--color", "=", "never", "Monte", ""}, d),
            std::set<std::string>{"L1"});
  EXPECT_EQ(complete({sb, "compile", "--", "Mo"}, d), std::set<std::string>{"Monte"});
  EXPECT_EQ(complete({sb, "compile", "--", "--dir", ""}, d), std::set<std::string>{});
  // plan names the compiled scenarios.
  EXPECT_EQ(complete({sb, "plan", "--dir", d, ""}, elsewhere.path()),
            std::set<std::string>{"Piano"});
  EXPECT_EQ(complete({sb, "plan", "--dir", d, "Piano", ""}, elsewhere.path()),
            std::set<std::string>{"P2"});
  // dump names the compiled files.
  EXPECT_EQ(complete({sb, "dump", "Pia"}, d),
            (std::set<std::string>{"Piano_linea.dat", "Piano_P2.sim", "Piano_P2.dat"}));
}

// "--dir=FOLDER", split by bash at "=" or in one word, chooses the folder as "--dir FOLDER"
// does, and its value is completed as a folder.
TEST(Completion, TakesTheDirFolderAfterAnEqualsSign) {
  if (const auto why = no_bash()) GTEST_SKIP() << *why;
  TempDir dir;
  write_bytes(dir.file("Monte_linea.txt"), "");
  write_bytes(dir.file("Monte_L1-.txt"), "");
  std::filesystem::create_directory(fs_path(dir.file("scenari")));
  TempDir elsewhere;
  const std::string sb = "scenario_builder";
  const std::string d = dir.path();
  EXPECT_EQ(complete({sb, "compile", "--dir", "=", d, ""}, elsewhere.path()),
            std::set<std::string>{"Monte"});
  EXPECT_EQ(complete({sb, "compile", "--dir=" + d, ""}, elsewhere.path()),
            std::set<std::string>{"Monte"});
  EXPECT_EQ(complete({sb, "check", "--dir=" + d, "Monte", ""}, elsewhere.path()),
            std::set<std::string>{"L1"});
  EXPECT_EQ(complete({sb, "compile", "--dir", "=", "sc"}, d), std::set<std::string>{"scenari"});
  EXPECT_EQ(complete({sb, "compile", "--dir=sc"}, d), std::set<std::string>{"--dir=scenari"});
}

TEST(Completion, NamesTheFaultCodesAndWarningsOfExplain) {
  if (const auto why = no_bash()) GTEST_SKIP() << *why;
  TempDir dir;
  EXPECT_EQ(complete({SB_PROGRAM, "explain", "10"}, dir.path()),
            (std::set<std::string>{"10", "101", "102", "103"}));
  EXPECT_EQ(complete({SB_PROGRAM, "explain", "name-"}, dir.path()),
            (std::set<std::string>{"name-encoding", "name-characters"}));
  // The commands and the warnings of decompile are explained too.
  EXPECT_EQ(complete({SB_PROGRAM, "explain", "dec"}, dir.path()),
            (std::set<std::string>{"decompile"}));
  EXPECT_EQ(complete({SB_PROGRAM, "explain", "no-r"}, dir.path()),
            (std::set<std::string>{"no-route-matrix"}));
}

}  // namespace
}  // namespace sb::test
