#include "driver/option_table.h"

#include <charconv>
#include <optional>
#include <string>

namespace sb {
namespace {

constexpr std::string_view kTypes[] = {"track", "stations", "route"};
constexpr std::string_view kColors[] = {"auto", "always", "never"};
constexpr std::string_view kFormats[] = {"json", "text"};

// A flag sets its field.
template <bool Options::*field>
bool flag(Options& o, std::string_view) {
  o.*field = true;
  return true;
}

// A name or a path is kept as typed.
template <std::optional<std::string> Options::*field>
bool text(Options& o, std::string_view value) {
  o.*field = std::string(value);
  return true;
}

bool whole_metres(Options& o, std::string_view value) {
  int step = 0;
  const auto r = std::from_chars(value.data(), value.data() + value.size(), step);
  if (r.ec != std::errc() || r.ptr != value.data() + value.size() || step < 1) return false;
  o.step = step;
  return true;
}

// A count of diagnostics to show; 0 shows all of them.
template <std::size_t Options::*field>
bool count_limit(Options& o, std::string_view value) {
  std::size_t limit = 0;
  const auto r = std::from_chars(value.data(), value.data() + value.size(), limit);
  if (r.ec != std::errc() || r.ptr != value.data() + value.size()) return false;
  o.*field = limit;
  return true;
}

// The values of an option with `choices` come here checked against them.
bool color(Options& o, std::string_view value) {
  o.color = value == "always"  ? ColorChoice::kAlways
            : value == "never" ? ColorChoice::kNever
                               : ColorChoice::kAuto;
  return true;
}

bool diagnostics_format(Options& o, std::string_view value) {
  o.json_diagnostics = value == "json";
  return true;
}

// In the order of the usage text. A mistyped command close to two names is offered the later.
constexpr CommandRow kCommands[] = {
    {"", Mode::kBuiltin, "",
     R"(      Build the built-in scenario "Roccalta_ Valfiorita" (line "LINEA 7"): write its five
      text files, read them back, and write the three binary files for the simulator.
      The files go into the program's own folder, or into DIR.
)"},
    {"sources", Mode::kSources, "",
     R"(      Write only the five text files of the built-in scenario, as a starting point, into
      DIR (default: the current folder; created when missing).
)"},
    {"compile", Mode::kCompile, "[--] SCENARIO LINE",
     R"(      Compile an author's scenario: read SCENARIO_linea.txt and SCENARIO_LINE-.txt from
      --dir (default: the current folder) and write the binary files into --out (default:
      the --dir folder; created when missing). The text files are never changed.
      --no-geometry skips the route plan and its file. When a fault is found no file is
      written and the old ones stay; --force writes them anyway. -v prints a summary of
      the scenario and the files written.
)"},
    {"check", Mode::kCheck, "[--] SCENARIO LINE",
     R"(      Everything compile does except writing: report every fault and warning, and print
      a one-line summary of the scenario on standard output.
)"},
    {"dump", Mode::kDump, "FILE",
     R"(      Print a compiled file readably: the track file (the cells that hold an object, or
      every cell with --all), the station file (the non-empty slots, or all 87 with --all)
      or the route matrix file (every N-th metre, default 1). The type comes from the
      name ("_linea.dat" route, other ".dat" track, ".sim" stations) unless --type
      track, stations or route is given. --units adds the values as written in the
      text files (km/h, signed gradients, hh:mm:ss) and names what each cell or slot
      holds. --json prints the same as JSON.
)"},
    {"plan", Mode::kPlan, "[SCENARIO LINE]",
     R"(      Draw a compiled scenario as an SVG picture: the route's plan with everything placed
      on it, and a strip of the line with its speed limit, gradient and stations. It reads
      the three binary files from DIR (default: the current folder); without names, those
      of the one compiled scenario there. The picture goes to FILE (default: SCENARIO.svg
      in DIR; "-" for standard output).
)"},
    {"decompile", Mode::kDecompile, "[--] SCENARIO LINE",
     R"(      Recover the text files of a compiled scenario: read its binary files from --dir
      (default: the current folder) and write SCENARIO_linea.txt and SCENARIO_LINE-.txt
      into --out (default: the --dir folder; created when missing) that compile to the
      same bytes. Existing text files are replaced only with --force. Each place where the
      text files cannot give the same bytes back (no route matrix file, a hand-edited
      file) is a warning, and the exit status is 1. --check writes nothing: it compiles
      the recovered files in memory and names the first difference.
)"},
    {"explain", Mode::kExplain, "[CODE | NAME | COMMAND]",
     R"(      Explain a fault code or a warning: why it comes, a scenario that gives it, and how
      to fix it; or a command: its usage. Without an operand, list the codes, the warnings
      and the commands.
)"},
    {"lsp", Mode::kLsp, "",
     R"(      Serve the Language Server Protocol on standard input and output, for editors: the
      faults and warnings of the open files as they are typed, hover, signature help,
      completion, the outline and quick fixes. It never writes a file.
)"},
    // Its usage is the whole text; its line says how else to ask for it.
    {"help", Mode::kHelp, "[COMMAND] | COMMAND --help | --help | --version", ""},
};

using enum Mode;
using enum OptionGroup;

// A command's synopsis shows its own options in this order, and the list of diagnostic
// options shows those in this order.
constexpr OptionRow kOptions[] = {
    {.name = "--dir",
     .value = "DIR",
     .commands = {kBuiltin, kSources, kCompile, kCheck, kPlan, kDecompile},
     .also_ignored_by = {kExplain, kHelp},
     .store = text<&Options::dir>},
    {.name = "--out",
     .value = "DIR",
     .commands = {kCompile, kDecompile},
     .store = text<&Options::out>},
    {.name = "--no-geometry", .commands = {kCompile, kCheck}, .store = flag<&Options::no_geometry>},
    {.name = "--force", .commands = {kCompile, kDecompile}, .store = flag<&Options::force>},
    {.name = "--check", .commands = {kDecompile}, .store = flag<&Options::round_trip>},
    {.name = "-v", .alias = "--verbose", .commands = {kCompile}, .store = flag<&Options::verbose>},
    {.name = "-o", .value = "FILE", .commands = {kPlan}, .store = text<&Options::out>},
    {.name = "--type",
     .value = "TYPE",
     .choices = kTypes,
     .commands = {kDump},
     .store = text<&Options::type>},
    {.name = "--all", .commands = {kDump}, .store = flag<&Options::all>},
    {.name = "--step",
     .value = "N",
     .wanted = "a whole number of metres above 0",
     .commands = {kDump},
     .store = whole_metres},
    {.name = "--units", .commands = {kDump}, .store = flag<&Options::units>},
    {.name = "--json", .commands = {kDump}, .store = flag<&Options::json>},
    {.name = "--warnings-as-errors",
     .commands = {kCompile, kCheck},
     .group = kDiagnostic,
     .help = "a warning counts as a fault: exit status 1, nothing written",
     .store = flag<&Options::warnings_as_errors>},
    {.name = "--no-warnings",
     .commands = {kCompile, kCheck},
     .group = kDiagnostic,
     .help = "do not show warnings",
     .store = flag<&Options::no_warnings>},
    {.name = "--error-limit",
     .value = "N",
     .wanted = "a whole number, 0 for no limit",
     .commands = {kCompile, kCheck},
     .group = kDiagnostic,
     .help = "show at most N faults (default 20; 0: all)",
     .store = count_limit<&Options::error_limit>},
    {.name = "--warning-limit",
     .value = "N",
     .wanted = "a whole number, 0 for no limit",
     .commands = {kCompile, kCheck},
     .group = kDiagnostic,
     .help = "show at most N warnings per file (default 50; 0: all)",
     .store = count_limit<&Options::warning_limit>},
    {.name = "--color",
     .value = "auto|always|never",
     .choices = kColors,
     .commands = {kCompile, kCheck},
     .group = kDiagnostic,
     .help = "colour the messages (auto: only on a terminal, and only\n"
             "when NO_COLOR is not set)",
     .store = color},
    {.name = "--diagnostics",
     .value = "json|text",
     .choices = kFormats,
     .commands = {kCompile, kCheck},
     .group = kDiagnostic,
     .help = "json: report as one JSON array on standard error;\n"
             "text: as lines, each with its source line (the default)",
     .store = diagnostics_format},
};

}  // namespace

std::span<const CommandRow> command_table() {
  return kCommands;
}

std::span<const OptionRow> option_table() {
  return kOptions;
}

const CommandRow* find_command(std::string_view name) {
  if (name.empty()) return nullptr;  // the built-in run is not typed
  for (const CommandRow& c : kCommands) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

const CommandRow* command_of(Mode mode) {
  for (const CommandRow& c : kCommands) {
    if (c.mode == mode) return &c;
  }
  return nullptr;
}

const OptionRow* find_option(std::string_view name) {
  for (const OptionRow& option : kOptions) {
    if (option.name == name || (!option.alias.empty() && option.alias == name)) return &option;
  }
  return nullptr;
}

}  // namespace sb
