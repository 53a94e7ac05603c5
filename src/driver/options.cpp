#include "driver/options.h"

#include <charconv>
#include <string_view>
#include <vector>

#include "driver/scenario_names.h"
#include "model/edit_distance.h"
#include "platform/printable_text.h"

namespace sb {
namespace {

struct ModeName {
  const char* name;
  Mode mode;
};
constexpr ModeName kModes[] = {{"sources", Mode::kSources}, {"compile", Mode::kCompile},
                               {"check", Mode::kCheck},     {"dump", Mode::kDump},
                               {"plan", Mode::kPlan},       {"explain", Mode::kExplain},
                               {"help", Mode::kHelp}};

bool builds(Mode mode) {
  return mode == Mode::kCompile || mode == Mode::kCheck;
}

// Which options each mode takes.
bool takes(Mode mode, std::string_view option) {
  if (option == "--dir") return mode != Mode::kDump;
  if (option == "--out" || option == "--force" || option == "-v" || option == "--verbose") {
    return mode == Mode::kCompile;
  }
  if (option == "--no-geometry" || option == "--warnings-as-errors" || option == "--no-warnings" ||
      option == "--color" || option == "--diagnostics") {
    return builds(mode);
  }
  if (option == "-o") return mode == Mode::kPlan;
  if (option == "--type" || option == "--all" || option == "--step" || option == "--json" ||
      option == "--units") {
    return mode == Mode::kDump;
  }
  return false;
}

bool needs_value(std::string_view option) {
  return option == "--dir" || option == "--out" || option == "-o" || option == "--type" ||
         option == "--step" || option == "--color" || option == "--diagnostics";
}

const char* mode_name(Mode mode) {
  for (const auto& m : kModes) {
    if (m.mode == mode) return m.name;
  }
  return "";
}

bool set_value(Options& o, std::string_view option, const std::string& value, UsageError& error) {
  if (option == "--dir") o.dir = value;
  if (option == "--out" || option == "-o") o.out = value;
  if (option == "--type") {
    if (value != "track" && value != "stations" && value != "route") {
      error.message = "--type takes track, stations or route, not " + echoed(value);
      return false;
    }
    o.type = value;
  }
  if (option == "--step") {
    const auto r = std::from_chars(value.data(), value.data() + value.size(), o.step);
    if (r.ec != std::errc() || r.ptr != value.data() + value.size() || o.step < 1) {
      error.message = "--step takes a whole number of metres above 0, not " + echoed(value);
      return false;
    }
  }
  if (option == "--color") {
    if (value == "auto") {
      o.color = ColorChoice::kAuto;
    } else if (value == "always") {
      o.color = ColorChoice::kAlways;
    } else if (value == "never") {
      o.color = ColorChoice::kNever;
    } else {
      error.message = "--color takes auto, always or never, not " + echoed(value);
      return false;
    }
  }
  if (option == "--diagnostics") {
    if (value != "json" && value != "text") {
      error.message = "--diagnostics takes json or text, not " + echoed(value);
      return false;
    }
    o.json_diagnostics = value == "json";
  }
  return true;
}

void set_flag(Options& o, std::string_view option) {
  if (option == "--no-geometry") o.no_geometry = true;
  if (option == "--force") o.force = true;
  if (option == "-v" || option == "--verbose") o.verbose = true;
  if (option == "--warnings-as-errors") o.warnings_as_errors = true;
  if (option == "--no-warnings") o.no_warnings = true;
  if (option == "--all") o.all = true;
  if (option == "--json") o.json = true;
  if (option == "--units") o.units = true;
}

bool check_operands(Options& o, UsageError& error) {
  const std::size_t n = o.operands.size();
  if (o.mode == Mode::kHelp) {
    if (n > 1) {
      error.message = "unexpected argument " + echoed(o.operands[1]);
      return false;
    }
    if (n == 1) {
      for (const auto& m : kModes) {
        if (o.operands[0] == m.name) o.help_topic = m.mode;
      }
      if (o.help_topic == Mode::kHelp && o.operands[0] != "help") {
        error.message = "no help on " + echoed(o.operands[0]);
        return false;
      }
    }
    return true;
  }
  if (builds(o.mode) || o.mode == Mode::kPlan) {
    if (o.mode == Mode::kPlan && n == 0) return true;
    if (o.mode == Mode::kPlan && n == 1) {
      error.message = "plan takes SCENARIO and LINE, or nothing";
      return false;
    }
    if (n < 2) {
      error.message = n == 0 ? "missing SCENARIO and LINE" : "missing LINE";
      return false;
    }
    if (n > 2) {
      error.message = "unexpected argument " + echoed(o.operands[2]);
      return false;
    }
    const char* const what[] = {"SCENARIO", "LINE"};
    for (std::size_t k = 0; k < 2; ++k) {
      if (auto problem = name_problem(o.operands[k], what[k])) {
        error.message = *problem;
        return false;
      }
    }
    return true;
  }
  if (o.mode == Mode::kExplain && n <= 1) return true;  // a code or a name, or the list
  const std::size_t wanted = o.mode == Mode::kDump || o.mode == Mode::kExplain ? 1 : 0;
  if (n < wanted) {
    error.message = "missing FILE";
    return false;
  }
  if (n > wanted) {
    error.message = "unexpected argument " + echoed(o.operands[wanted]);
    // A misspelt mode name is the likeliest cause of a stray first argument.
    if (o.mode == Mode::kBuiltin) {
      for (const auto& m : kModes) {
        if (edit_distance(o.operands[0], m.name, 2) <= 2) {
          error.message =
              "unknown command " + echoed(o.operands[0]) + "; did you mean " + echoed(m.name) + "?";
        }
      }
    }
    return false;
  }
  return true;
}

}  // namespace

std::optional<Options> parse_options(const std::vector<std::string>& args, UsageError& error) {
  Options o;
  std::size_t i = 0;
  if (!args.empty()) {
    if (args[0] == "--help" || args[0] == "-h") {
      o.mode = Mode::kHelp;
      if (args.size() == 1) return o;
      error.message = "unexpected argument " + echoed(args[1]);
      return std::nullopt;
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
    if (!options_ended && a == "--") {
      options_ended = true;
      continue;
    }
    if (options_ended || a.size() < 2 || a[0] != '-') {
      o.operands.push_back(a);
      continue;
    }
    if (a == "--help" || a == "-h") {
      o.help_topic = o.mode == Mode::kBuiltin ? Mode::kHelp : o.mode;
      o.mode = Mode::kHelp;
      o.operands.clear();
      return o;
    }
    // "--color=always" is "--color always".
    const std::size_t equals = a.find('=');
    const std::string option = a.substr(0, equals);
    if (!takes(o.mode, option)) {
      error.message = "unknown option " + echoed(option);
      if (o.mode != Mode::kBuiltin && o.mode != Mode::kHelp) {
        error.message += " for " + std::string(mode_name(o.mode));
      }
      return std::nullopt;
    }
    if (!needs_value(option)) {
      if (equals != std::string::npos) {
        error.message = "option " + echoed(option) + " takes no value";
        return std::nullopt;
      }
      set_flag(o, option);
      continue;
    }
    std::string value;
    if (equals != std::string::npos) {
      value = a.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      error.message = "option " + echoed(option) + " needs a value";
      return std::nullopt;
    }
    if (!set_value(o, option, value, error)) return std::nullopt;
  }
  if (!check_operands(o, error)) return std::nullopt;
  return o;
}

}  // namespace sb
