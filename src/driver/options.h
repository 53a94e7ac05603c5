// The program's command line, parsed.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace sb {

enum class Mode {
  kBuiltin,
  kSources,
  kCompile,
  kCheck,
  kDump,
  kPlan,
  kDecompile,
  kExplain,
  kLsp,
  kHelp,
  kVersion
};

enum class ColorChoice { kAuto, kAlways, kNever };

struct Options {
  Mode mode = Mode::kBuiltin;
  // help: the mode whose help is asked for (kHelp: the whole text)
  Mode help_topic = Mode::kHelp;
  std::optional<std::string> dir;  // --dir
  std::optional<std::string> out;  // --out (compile), -o (plan)
  bool no_geometry = false;        // --no-geometry
  // compile and check
  bool force = false;               // --force: write the files even after a fault
  bool verbose = false;             // -v: the summary and the files written
  bool warnings_as_errors = false;  // --warnings-as-errors
  bool no_warnings = false;         // --no-warnings
  // How many faults, and how many warnings of each file, are shown (0: all of them).
  std::size_t error_limit = 20;    // --error-limit
  std::size_t warning_limit = 50;  // --warning-limit
  ColorChoice color = ColorChoice::kAuto;
  bool json_diagnostics = false;  // --diagnostics=json
  // dump
  std::optional<std::string> type;  // --type track|stations|route
  bool all = false;                 // --all
  int step = 1;                     // --step N
  bool json = false;                // --json
  bool units = false;               // --units
  // decompile
  bool round_trip = false;  // --check: compile the decompiled files and compare
  std::vector<std::string> operands;
};

// A usage error: the message is one line, without the program name.
struct UsageError {
  std::string message;
};

// Parses argv[1..]; returns the options or the usage error.
std::optional<Options> parse_options(const std::vector<std::string>& args, UsageError& error);

// The text of --help: the whole of it, or the part for one mode.
std::string usage_text(Mode topic = Mode::kHelp);

}  // namespace sb
