#include "driver/options.h"

#include <algorithm>
#include <span>
#include <string_view>
#include <vector>

#include "driver/option_table.h"
#include "driver/scenario_names.h"
#include "model/edit_distance.h"
#include "model/file_names.h"
#include "platform/printable_text.h"

namespace sb {
namespace {

// For a file's name typed alone where SCENARIO and LINE go: the names to give instead, after
// ": ", or nothing when the operand is no scenario file's name.
std::string names_hint(std::string_view operand) {
  const std::string line_ending = line_file_leaf("");
  const std::string train_ending = train_file_leaf("", "").substr(1);  // "-.txt"
  const std::string intro = ": SCENARIO and LINE are names, not file names: give ";
  if (operand.size() > line_ending.size() && operand.ends_with(line_ending)) {
    const std::string scenario(operand.substr(0, operand.size() - line_ending.size()));
    return intro + echoed(scenario) + " and the LINE of a train file " +
           echoed(train_file_leaf(scenario, "LINE"));
  }
  if (operand.ends_with(train_ending)) {
    const std::string_view stem = operand.substr(0, operand.size() - train_ending.size());
    const std::size_t cut = stem.rfind('_');
    if (cut == std::string_view::npos || cut == 0 || cut + 1 == stem.size()) return "";
    const std::string scenario(stem.substr(0, cut)), line(stem.substr(cut + 1));
    return intro + echoed(scenario) + " and " + echoed(line) + " to read " +
           echoed(line_file_leaf(scenario)) + " and " + echoed(train_file_leaf(scenario, line));
  }
  return "";
}

bool builds(Mode mode) {
  return mode == Mode::kCompile || mode == Mode::kCheck;
}

// "a, b or c"
std::string listed(std::span<const std::string_view> values) {
  std::string text;
  for (std::size_t k = 0; k < values.size(); ++k) {
    if (k > 0) text += k + 1 == values.size() ? " or " : ", ";
    text += values[k];
  }
  return text;
}

// "; did you mean \"compile\"?" when one of `names` is near `typed`; empty otherwise.
std::string suggestion(std::string_view typed, const std::vector<std::string_view>& names) {
  const std::string_view close = closest_word(typed, names);
  return close.empty() ? std::string() : "; did you mean " + echoed(close) + "?";
}

// The names of the commands that are typed.
std::vector<std::string_view> command_names() {
  std::vector<std::string_view> names;
  for (const CommandRow& c : command_table()) {
    if (!c.name.empty()) names.push_back(c.name);
  }
  return names;
}

// The options `mode` takes, by the names its usage shows.
std::vector<std::string_view> option_names(Mode mode) {
  std::vector<std::string_view> names;
  for (const OptionRow& option : option_table()) {
    if (option.taken_by(mode)) names.push_back(option.name);
  }
  return names;
}

// Stores the value of `option`, typed as `typed`, or says why it is refused.
bool set_value(Options& o, const OptionRow& option, std::string_view typed,
               const std::string& value, UsageError& error) {
  const auto& choices = option.choices;
  const bool chosen =
      choices.empty() || std::find(choices.begin(), choices.end(), value) != choices.end();
  if (chosen && option.store(o, value)) return true;
  const std::string wanted = choices.empty() ? std::string(option.wanted) : listed(choices);
  error.message = std::string(typed) + " takes " + wanted + ", not " + echoed(value);
  return false;
}

bool check_operands(Options& o, UsageError& error) {
  const std::size_t n = o.operands.size();
  if (o.mode == Mode::kHelp) {
    if (n > 1) {
      error.message = "unexpected argument " + echoed(o.operands[1]);
      return false;
    }
    if (n == 1) {
      if (const CommandRow* c = find_command(o.operands[0])) o.help_topic = c->mode;
      if (o.help_topic == Mode::kHelp && o.operands[0] != "help") {
        error.message =
            "no help on " + echoed(o.operands[0]) + suggestion(o.operands[0], command_names());
        return false;
      }
    }
    return true;
  }
  if (builds(o.mode) || o.mode == Mode::kPlan || o.mode == Mode::kDecompile) {
    if (o.mode == Mode::kPlan && n == 0) return true;
    if (o.mode == Mode::kPlan && n == 1) {
      error.message = "plan takes SCENARIO and LINE, or nothing";
      return false;
    }
    if (n < 2) {
      error.message =
          n == 0 ? "missing SCENARIO and LINE" : "missing LINE" + names_hint(o.operands[0]);
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
      for (const CommandRow& c : command_table()) {
        if (!c.name.empty() && edit_distance(o.operands[0], c.name, 2) <= 2) {
          error.message =
              "unknown command " + echoed(o.operands[0]) + "; did you mean " + echoed(c.name) + "?";
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
    if (const CommandRow* c = find_command(args[0])) {
      o.mode = c->mode;
      i = 1;
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
    const OptionRow* row = find_option(option);
    if (!row || !row->taken_by(o.mode)) {
      error.message = "unknown option " + echoed(option);
      const CommandRow* command = command_of(o.mode);
      if (command && o.mode != Mode::kBuiltin && o.mode != Mode::kHelp) {
        error.message += " for " + std::string(command->name);
      }
      error.message += suggestion(option, option_names(o.mode));
      return std::nullopt;
    }
    if (!row->takes_value()) {
      if (equals != std::string::npos) {
        error.message = "option " + echoed(option) + " takes no value";
        return std::nullopt;
      }
      row->store(o, "");
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
    if (!set_value(o, *row, option, value, error)) return std::nullopt;
  }
  if (!check_operands(o, error)) return std::nullopt;
  return o;
}

}  // namespace sb
