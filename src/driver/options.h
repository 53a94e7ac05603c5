// The program's command line, parsed.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sb {

enum class Mode { kBuiltin, kSources, kCompile, kDump, kPlan, kExplain, kHelp, kVersion };

struct Options {
  Mode mode = Mode::kBuiltin;
  std::optional<std::string> dir;  // --dir
  std::optional<std::string> out;  // --out (compile), -o (plan)
  bool no_geometry = false;        // --no-geometry
  // dump
  std::optional<std::string> type;  // --type track|stations|route
  bool all = false;                 // --all
  int step = 1;                     // --step N
  bool json = false;                // --json
  std::vector<std::string> operands;
};

// A usage error: the message is one line, without the program name.
struct UsageError {
  std::string message;
};

// Parses argv[1..]; returns the options or the usage error.
std::optional<Options> parse_options(const std::vector<std::string>& args, UsageError& error);

// The text of --help.
std::string usage_text();

}  // namespace sb
