// The text of --help, whole or for one mode, made from the tables of commands and options.
#include <string>
#include <string_view>
#include <vector>

#include "driver/option_table.h"
#include "driver/options.h"

namespace sb {
namespace {

// A synopsis goes on to a new line before the item that would run past this column.
constexpr std::size_t kSynopsisWidth = 100;
// The list of diagnostic options: each name from this column, its help from the next.
constexpr std::size_t kOptionColumn = 6;
constexpr std::size_t kHelpColumn = 29;

constexpr const char* kNamesAndExitStatus = R"(
SCENARIO and LINE are names, not paths: they may not be empty, "." or "..", nor hold
"/", "\", control characters or what Windows does not allow in file names (: * ? " < > |);
after "--" a name may begin with "-".

Exit status:
  0  success, no fault
  1  a fault was recorded while reading or compiling (each is reported on standard
     error as FILE:LINE:COLUMN: error CODE: MESSAGE), a warning under
     --warnings-as-errors, or the error stop (" Errore n. 1250")
  2  a usage error, or a failure of the system (a missing or unwritable folder, a file
     that cannot be read or written, an input that is not an ordinary file or is larger
     than 64 MiB), or a compiled file that cannot be decoded
)";

bool takes_diagnostic_options(Mode mode) {
  for (const OptionRow& option : option_table()) {
    if (option.group == OptionGroup::kDiagnostic && option.commands.has(mode)) return true;
  }
  return false;
}

// "  scenario_builder compile [--dir DIR] ... [DIAGNOSTIC OPTIONS] [--] SCENARIO LINE", its
// continuation lines under the first option.
std::string synopsis(const CommandRow& command) {
  std::string line = "  scenario_builder";
  if (!command.name.empty()) line += " " + std::string(command.name);
  const std::string indent(line.size() + 1, ' ');
  std::string text;
  auto add = [&](const std::string& item) {
    if (line.size() + 1 + item.size() > kSynopsisWidth) {
      text += line + "\n";
      line = indent + item;
    } else {
      line += " " + item;
    }
  };
  for (const OptionRow& option : option_table()) {
    if (option.group != OptionGroup::kOwn || !option.commands.has(command.mode)) continue;
    std::string item = "[" + std::string(option.name);
    if (option.takes_value()) item += " " + std::string(option.value);
    add(item + "]");
  }
  if (takes_diagnostic_options(command.mode)) add("[DIAGNOSTIC OPTIONS]");
  if (!command.operands.empty()) add(std::string(command.operands));
  return text + line + "\n";
}

// "  Diagnostic options (compile and check):" and one entry per option.
std::string diagnostic_options() {
  std::vector<std::string_view> commands;
  for (const CommandRow& command : command_table()) {
    if (takes_diagnostic_options(command.mode)) commands.push_back(command.name);
  }
  std::string text = "  Diagnostic options (";
  for (std::size_t k = 0; k < commands.size(); ++k) {
    if (k > 0) text += k + 1 == commands.size() ? " and " : ", ";
    text += commands[k];
  }
  text += "):\n";
  const std::string help_indent(kHelpColumn, ' ');
  for (const OptionRow& option : option_table()) {
    if (option.group != OptionGroup::kDiagnostic) continue;
    std::string entry = std::string(kOptionColumn, ' ') + std::string(option.name);
    if (option.takes_value()) entry += "=" + std::string(option.value);
    // The help stands two spaces after the name at least, or on a line of its own.
    if (entry.size() + 2 > kHelpColumn) {
      text += entry + "\n";
      entry.clear();
    }
    entry.resize(kHelpColumn, ' ');
    for (char c : option.help) entry += c == '\n' ? "\n" + help_indent : std::string(1, c);
    text += entry + "\n";
  }
  return text;
}

std::string part(const CommandRow& command) {
  return synopsis(command) + std::string(command.about);
}

}  // namespace

std::string usage_text(Mode topic) {
  std::string text = "Usage:\n";
  const CommandRow* command = command_of(topic);
  if (command && topic != Mode::kHelp) {
    text += part(*command);
    if (takes_diagnostic_options(topic)) text += "\n" + diagnostic_options();
    return text;
  }
  for (const CommandRow& c : command_table()) text += part(c);
  return text + "\n" + diagnostic_options() + kNamesAndExitStatus;
}

}  // namespace sb
