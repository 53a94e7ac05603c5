// The commands and options that the program's own usage text lists, for the tests that check
// the manual page and the shell completion against it.
#pragma once

#include <map>
#include <regex>
#include <set>
#include <string>

#include "driver/options.h"

namespace sb::test {

// Every command of the usage text ("" for the run without a command) with the options its
// usage lines name.
inline std::map<std::string, std::set<std::string>> usage_options() {
  static const std::regex kLine(R"(^  scenario_builder(?: ([a-z]+))?(.*)$)");
  static const std::regex kOption(R"((^|[\s\[|])(--?[a-z][a-z-]*))");
  std::map<std::string, std::set<std::string>> commands;
  const std::string text = usage_text();
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(begin, end - begin);
    begin = end + 1;
    std::smatch m;
    if (!std::regex_match(line, m, kLine)) continue;
    std::set<std::string>& options = commands[m[1]];
    const std::string rest = m[2];
    for (auto it = std::sregex_iterator(rest.begin(), rest.end(), kOption);
         it != std::sregex_iterator(); ++it) {
      options.insert((*it)[2]);
    }
  }
  return commands;
}

}  // namespace sb::test
