#include "driver/options.h"

#include <charconv>

#include "driver/scenario_names.h"

namespace sb {
namespace {

struct ModeName {
  const char* name;
  Mode mode;
};
constexpr ModeName kModes[] = {{"sources", Mode::kSources},
                               {"compile", Mode::kCompile},
                               {"dump", Mode::kDump},
                               {"plan", Mode::kPlan}};

// Which options each mode takes.
bool takes(Mode mode, const std::string& option) {
  if (option == "--dir") return mode != Mode::kDump;
  if (option == "--out" || option == "--no-geometry") return mode == Mode::kCompile;
  if (option == "-o") return mode == Mode::kPlan;
  if (option == "--type" || option == "--all" || option == "--step" || option == "--json") {
    return mode == Mode::kDump;
  }
  return false;
}

bool needs_value(const std::string& option) {
  return option == "--dir" || option == "--out" || option == "-o" || option == "--type" ||
         option == "--step";
}

}  // namespace

std::optional<Options> parse_options(const std::vector<std::string>& args, UsageError& error) {
  Options o;
  std::size_t i = 0;
  if (!args.empty()) {
    if (args[0] == "--help" || args[0] == "-h") {
      o.mode = Mode::kHelp;
      return args.size() == 1 ? std::optional(o) : std::nullopt;
    }
    if (args[0] == "--version") {
      o.mode = Mode::kVersion;
      return o;
    }
    for (const auto& m : kModes) {
      if (args[0] == m.name) {
        o.mode = m.mode;
        i = 1;
      }
    }
  }
  bool options_ended = false;
  for (; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (options_ended) {
      o.operands.push_back(a);
      continue;
    }
    if (a == "--") {
      // Everything after "--" is an operand, so a name may begin with "-".
      options_ended = true;
      continue;
    }
    if (a == "--help" || a == "-h") {
      o.mode = Mode::kHelp;
      return o;
    }
    if (a.size() > 1 && a[0] == '-') {
      if (!takes(o.mode, a)) {
        error.message = "unknown option '" + a + "'";
        return std::nullopt;
      }
      std::string value;
      if (needs_value(a)) {
        if (i + 1 >= args.size()) {
          error.message = "option '" + a + "' needs a value";
          return std::nullopt;
        }
        value = args[++i];
      }
      if (a == "--dir") o.dir = value;
      if (a == "--out" || a == "-o") o.out = value;
      if (a == "--no-geometry") o.no_geometry = true;
      if (a == "--type") {
        if (value != "track" && value != "stations" && value != "route") {
          error.message = "--type takes track, stations or route, not '" + value + "'";
          return std::nullopt;
        }
        o.type = value;
      }
      if (a == "--all") o.all = true;
      if (a == "--json") o.json = true;
      if (a == "--step") {
        const auto r = std::from_chars(value.data(), value.data() + value.size(), o.step);
        if (r.ec != std::errc() || r.ptr != value.data() + value.size() || o.step < 1) {
          error.message = "--step takes a whole number of metres above 0, not '" + value + "'";
          return std::nullopt;
        }
      }
      continue;
    }
    o.operands.push_back(a);
  }

  std::size_t min = 0, max = 0;
  const char* what = "";
  switch (o.mode) {
    case Mode::kCompile:
      min = max = 2, what = "SCENARIO and LINE";
      break;
    case Mode::kDump:
      min = max = 1, what = "FILE";
      break;
    case Mode::kPlan:
      min = 0, max = 2, what = "SCENARIO and LINE, or nothing";
      break;
    default:
      break;
  }
  if (o.mode == Mode::kPlan && o.operands.size() == 1) {
    error.message = "plan takes " + std::string(what);
    return std::nullopt;
  }
  if (o.operands.size() < min) {
    error.message = "missing " + std::string(what);
    return std::nullopt;
  }
  if (o.operands.size() > max) {
    error.message = "unexpected argument '" + o.operands[max] + "'";
    return std::nullopt;
  }
  if (o.mode == Mode::kCompile || o.mode == Mode::kPlan) {
    const char* const what[] = {"SCENARIO", "LINE"};
    for (std::size_t k = 0; k < o.operands.size() && k < 2; ++k) {
      if (auto problem = name_problem(o.operands[k], what[k])) {
        error.message = *problem;
        return std::nullopt;
      }
    }
  }
  return o;
}

std::string usage_text() {
  return R"(Usage:
  scenario_builder [--dir DIR]
      Build the built-in scenario "Roccalta_ Valfiorita" (line "LINEA 7"): write its five
      text files, read them back, and write the three binary files for the simulator.
      The files go into the program's own folder, or into DIR.
  scenario_builder sources [--dir DIR]
      Write only the five text files of the built-in scenario, as a starting point.
  scenario_builder compile [--dir DIR] [--out DIR] [--no-geometry] SCENARIO LINE
      Compile an author's scenario: read SCENARIO_linea.txt and SCENARIO_LINE-.txt from
      --dir (default: the current folder) and write the binary files into --out (default:
      the --dir folder). The text files are never changed. --no-geometry skips the route
      plan and its file.
  scenario_builder dump [--type track|stations|route] [--all] [--step N] [--json] FILE
      Print a compiled file readably: the track file (the cells that hold an object, or
      every cell with --all), the station file (the non-empty slots, or all 87 with --all)
      or the route matrix file (every N-th metre, default 1). The type comes from the
      name ("_linea.dat" route, other ".dat" track, ".sim" stations) unless --type is
      given. --json prints the same as JSON.
  scenario_builder plan [--dir DIR] [-o FILE] [SCENARIO LINE]
      Draw a compiled scenario as an SVG picture: the route's plan with its stations,
      signals, speed boards and mountain-side stretches, and a strip of the line with its
      speed limit, gradient and station stops. It reads the three binary files from DIR
      (default: the current folder); without names, those of the built-in scenario. The
      picture goes to FILE (default: SCENARIO.svg in DIR).
  scenario_builder --help | --version

SCENARIO and LINE are names, not paths: they may not be empty, "." or "..", nor hold
"/", "\" or control characters. "--" ends the options; a name after it may begin with "-".

Exit status:
  0  success, no fault
  1  a fault was recorded while reading or compiling (each is reported on standard
     error as FILE:LINE: error CODE: MESSAGE), or the error stop (" Errore n. 1250")
  2  a usage error, or a platform failure (a missing or unwritable folder, a file that
     cannot be read or written, an input that is not an ordinary file or is larger than
     64 MiB), or a compiled file that cannot be decoded
)";
}

}  // namespace sb
