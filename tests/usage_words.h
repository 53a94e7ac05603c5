// The commands and options of the program's tables, in the form the tests of the usage text,
// the manual page and the shell completion compare with what those texts name.
#pragma once

#include <map>
#include <regex>
#include <set>
#include <string>

#include "driver/option_table.h"
#include "driver/options.h"

namespace sb::test {

// Every command of the table ("" for the built-in run) with the options that it takes and
// that its usage shows, by name (no alias, nothing a command takes without using it).
inline std::map<std::string, std::set<std::string>> table_options() {
  std::map<std::string, std::set<std::string>> commands;
  for (const CommandRow& command : command_table()) {
    std::set<std::string>& options = commands[std::string(command.name)];
    for (const OptionRow& option : option_table()) {
      if (option.commands.has(command.mode)) options.insert(std::string(option.name));
    }
  }
  return commands;
}

// The commands typed as the first argument.
inline std::set<std::string> table_commands() {
  std::set<std::string> names;
  for (const CommandRow& command : command_table()) {
    if (!command.name.empty()) names.insert(std::string(command.name));
  }
  return names;
}

// Every option's name, and its alias where it has one.
inline std::set<std::string> table_spellings() {
  std::set<std::string> spellings;
  for (const OptionRow& option : option_table()) {
    spellings.insert(std::string(option.name));
    if (!option.alias.empty()) spellings.insert(std::string(option.alias));
  }
  return spellings;
}

// Every command with a usage part of its own (help's is the whole text), with the options
// that this part names, without a value ("--color=auto|always|never" is "--color").
inline std::map<std::string, std::set<std::string>> usage_options() {
  static const std::regex kCommand(R"(^Usage:\n  scenario_builder(?: ([a-z]+))?)");
  static const std::regex kOption(R"((?:^|[\s\[|])(--?[a-z][a-z-]*))");
  std::map<std::string, std::set<std::string>> commands;
  for (const CommandRow& command : command_table()) {
    if (command.mode == Mode::kHelp) continue;
    const std::string text = usage_text(command.mode);
    std::smatch m;
    if (!std::regex_search(text, m, kCommand)) continue;
    std::set<std::string>& options = commands[m[1]];
    for (auto it = std::sregex_iterator(text.begin(), text.end(), kOption);
         it != std::sregex_iterator(); ++it) {
      options.insert((*it)[1]);
    }
  }
  return commands;
}

}  // namespace sb::test
