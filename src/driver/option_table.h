// The program's commands and options, each written once. The parser, the usage text and the
// checks of the shell completion and the manual page all read these two tables: a new command
// or option is one row here (and its paragraph in the manual and the completion).
#pragma once

#include <initializer_list>
#include <span>
#include <string_view>

#include "driver/options.h"

namespace sb {

// A set of commands, one bit per mode.
class CommandSet {
 public:
  constexpr CommandSet() = default;
  constexpr CommandSet(std::initializer_list<Mode> modes) {
    for (Mode m : modes) bits_ |= bit(m);
  }
  constexpr bool has(Mode m) const { return (bits_ & bit(m)) != 0; }

 private:
  static constexpr unsigned bit(Mode m) { return 1u << static_cast<unsigned>(m); }
  unsigned bits_ = 0;
};

struct CommandRow {
  std::string_view name;  // the first argument; empty for the built-in run, which has none
  Mode mode;
  std::string_view operands;  // what its synopsis shows after the options
  std::string_view about;     // its paragraph of the usage text, every line indented
};

// Where the usage text shows an option.
enum class OptionGroup {
  kOwn,         // in the synopsis of each command that takes it: "[--dir DIR]"
  kDiagnostic,  // in the list of diagnostic options, with its help; the synopsis of a command
                // that takes it shows "[DIAGNOSTIC OPTIONS]"
};

struct OptionRow {
  std::string_view name;
  // Another spelling that the parser takes; the usage and the completion leave it out.
  std::string_view alias = {};
  // How the usage shows the value ("DIR", "auto|always|never"); empty for a flag.
  std::string_view value = {};
  // The values it takes when they are a fixed few, in the order the messages list them.
  std::span<const std::string_view> choices = {};
  // What a refused value should have been, when it is not one of `choices`.
  std::string_view wanted = {};
  CommandSet commands = {};  // the commands that take it and whose usage shows it
  // Commands that take it too without using it, whose usage does not show it: command lines
  // that give it there keep working.
  CommandSet also_ignored_by = {};
  OptionGroup group = OptionGroup::kOwn;
  std::string_view help = {};  // kDiagnostic: its text in the list; a "\n" starts a new line
  // Stores the value (nothing for a flag) into the options; false refuses the value.
  bool (*store)(Options& o, std::string_view value) = nullptr;

  bool takes_value() const { return !value.empty(); }
  bool taken_by(Mode mode) const { return commands.has(mode) || also_ignored_by.has(mode); }
};

// In the order the usage text lists them.
std::span<const CommandRow> command_table();
// In the order each synopsis and the list of diagnostic options show them.
std::span<const OptionRow> option_table();

// The command typed as the first argument; nothing for a word that names none.
const CommandRow* find_command(std::string_view name);
// The command of a mode; nothing for a mode without one (--version).
const CommandRow* command_of(Mode mode);
// The option by its name or its alias.
const OptionRow* find_option(std::string_view name);

}  // namespace sb
