// The commands and options that the program's own usage text lists, for the tests that check
// the manual page and the shell completion against it.
#pragma once

#include <map>
#include <regex>
#include <set>
#include <string>

#include "driver/options.h"

namespace sb::test {

// Every command ("" for the built-in run) with the options that its part of the usage text
// names, without a value ("--color=auto|always|never" is "--color").
inline std::map<std::string, std::set<std::string>> usage_options() {
  static const std::regex kCommand(R"(^Usage:\n  scenario_builder(?: ([a-z]+))?)");
  static const std::regex kOption(R"((?:^|[\s\[|])(--?[a-z][a-z-]*))");
  std::map<std::string, std::set<std::string>> commands;
  for (Mode mode : {Mode::kBuiltin, Mode::kSources, Mode::kCompile, Mode::kCheck, Mode::kDump,
                    Mode::kPlan, Mode::kExplain}) {
    const std::string text = usage_text(mode);
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
