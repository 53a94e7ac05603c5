// The text of --help, whole or for one mode.
#include <string>

#include "driver/options.h"

namespace sb {
namespace {

constexpr const char* kBuiltin = R"(  scenario_builder [--dir DIR]
      Build the built-in scenario "Roccalta_ Valfiorita" (line "LINEA 7"): write its five
      text files, read them back, and write the three binary files for the simulator.
      The files go into the program's own folder, or into DIR.
)";

constexpr const char* kSources = R"(  scenario_builder sources [--dir DIR]
      Write only the five text files of the built-in scenario, as a starting point, into
      DIR (default: the current folder; created when missing).
)";

constexpr const char* kCompile =
    R"(  scenario_builder compile [--dir DIR] [--out DIR] [--no-geometry] [--force] [-v]
                           [DIAGNOSTIC OPTIONS] [--] SCENARIO LINE
      Compile an author's scenario: read SCENARIO_linea.txt and SCENARIO_LINE-.txt from
      --dir (default: the current folder) and write the binary files into --out (default:
      the --dir folder; created when missing). The text files are never changed.
      --no-geometry skips the route plan and its file. When a fault is found no file is
      written and the old ones stay; --force writes them anyway. -v prints a summary of
      the scenario and the files written.
)";

constexpr const char* kCheck =
    R"(  scenario_builder check [--dir DIR] [--no-geometry] [DIAGNOSTIC OPTIONS] [--] SCENARIO LINE
      Everything compile does except writing: report every fault and warning, and print
      a one-line summary of the scenario on standard output.
)";

constexpr const char* kDiagnosticOptions = R"(  Diagnostic options (compile and check):
      --warnings-as-errors   a warning counts as a fault: exit status 1, nothing written
      --no-warnings          do not show warnings
      --color=auto|always|never
                             colour the messages (auto: only on a terminal, and only
                             when NO_COLOR is not set)
      --diagnostics=json     report as one JSON array on standard error
)";

constexpr const char* kDump =
    R"(  scenario_builder dump [--type TYPE] [--all] [--step N] [--units] [--json] FILE
      Print a compiled file readably: the track file (the cells that hold an object, or
      every cell with --all), the station file (the non-empty slots, or all 87 with --all)
      or the route matrix file (every N-th metre, default 1). The type comes from the
      name ("_linea.dat" route, other ".dat" track, ".sim" stations) unless --type
      track, stations or route is given. --units adds the values as written in the
      text files (km/h, signed gradients, hh:mm:ss) and names what each cell or slot
      holds. --json prints the same as JSON.
)";

constexpr const char* kPlan = R"(  scenario_builder plan [--dir DIR] [-o FILE] [SCENARIO LINE]
      Draw a compiled scenario as an SVG picture: the route's plan with everything placed
      on it, and a strip of the line with its speed limit, gradient and stations. It reads
      the three binary files from DIR (default: the current folder); without names, those
      of the one compiled scenario there. The picture goes to FILE (default: SCENARIO.svg
      in DIR; "-" for standard output).
)";

constexpr const char* kExplain = R"(  scenario_builder explain [CODE | NAME]
      Explain a fault code or a warning: why it comes, a scenario that gives it, and how
      to fix it. Without CODE or NAME, list the codes and the warnings.
)";

constexpr const char* kOther =
    R"(  scenario_builder help [COMMAND] | COMMAND --help | --help | --version
)";

constexpr const char* kExitStatus = R"(
SCENARIO and LINE are names, not paths: they may not be empty, "." or "..", nor hold
"/", "\" or control characters; after "--" a name may begin with "-".

Exit status:
  0  success, no fault
  1  a fault was recorded while reading or compiling (each is reported on standard
     error as FILE:LINE:COLUMN: error CODE: MESSAGE), a warning under
     --warnings-as-errors, or the error stop (" Errore n. 1250")
  2  a usage error, or a failure of the system (a missing or unwritable folder, a file
     that cannot be read or written, an input that is not an ordinary file or is larger
     than 64 MiB), or a compiled file that cannot be decoded
)";

}  // namespace

std::string usage_text(Mode topic) {
  std::string text = "Usage:\n";
  switch (topic) {
    case Mode::kBuiltin:
      return text + kBuiltin;
    case Mode::kSources:
      return text + kSources;
    case Mode::kCompile:
      return text + kCompile + "\n" + kDiagnosticOptions;
    case Mode::kCheck:
      return text + kCheck + "\n" + kDiagnosticOptions;
    case Mode::kDump:
      return text + kDump;
    case Mode::kPlan:
      return text + kPlan;
    case Mode::kExplain:
      return text + kExplain;
    default:
      break;
  }
  return text + kBuiltin + kSources + kCompile + kCheck + kDump + kPlan + kExplain + kOther + "\n" +
         kDiagnosticOptions + kExitStatus;
}

}  // namespace sb
