#include "driver/explain_run.h"

#include <algorithm>
#include <iostream>
#include <string_view>
#include <vector>

#include "driver/decompile_warnings.h"
#include "driver/option_table.h"
#include "model/code_page.h"
#include "model/edit_distance.h"
#include "model/quoting.h"
#include "platform/printable_text.h"

namespace sb {
namespace {

constexpr std::size_t kWidth = 78;

// `text` as lines of at most kWidth characters, each after `indent`; words are never cut.
std::string wrapped(std::string_view text, std::string_view indent) {
  std::string out;
  std::string line(indent);
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find(' ', begin);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(begin, end - begin);
    if (line.size() > indent.size() && line.size() + 1 + word.size() > kWidth) {
      out += line + "\n";
      line = indent;
    }
    if (line.size() > indent.size()) line += ' ';
    line += word;
    begin = end + 1;
  }
  if (line.size() > indent.size()) out += line + "\n";
  return out;
}

// Every line of `text` after four blanks.
std::string indented(const std::string& text) {
  std::string out;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    out += "    " + text.substr(begin, end - begin) + "\n";
    begin = end + 1;
  }
  return out;
}

// An example file as an editor shows it: a file saved in UTF-8 (the example of a name written
// in UTF-8) in that encoding, any other in the simulator's code page, Windows-1252. Characters
// above 127 are shown as printable() shows them; the rest stands as written.
std::string as_written(std::string_view file) {
  const bool utf8 = is_utf8(file);
  std::string out;
  for (std::size_t begin = 0; begin < file.size();) {
    const bool high = static_cast<unsigned char>(file[begin]) >= 0x80;
    std::size_t end = begin;
    while (end < file.size() && (static_cast<unsigned char>(file[end]) >= 0x80) == high) ++end;
    const std::string_view run = file.substr(begin, end - begin);
    out += !high ? std::string(run) : utf8 ? printable_utf8(run, 0) : printable(run, 0);
    begin = end;
  }
  return out;
}

// One line per explanation: its key, then its summary, the summaries in one column.
std::string summary_rows(std::span<const Explanation> table) {
  std::size_t width = 0;
  for (const Explanation& e : table) width = std::max(width, explanation_key(e).size());
  std::string out;
  for (const Explanation& e : table) {
    std::string key = explanation_key(e);
    key.resize(width + 2, ' ');
    out += "  " + key + explanation_summary(e) + "\n";
  }
  return out;
}

// The commands `explain` knows: every one with a name and a paragraph in the usage text.
std::vector<const CommandRow*> explained_commands() {
  std::vector<const CommandRow*> out;
  for (const CommandRow& c : command_table()) {
    if (!c.name.empty() && !c.about.empty()) out.push_back(&c);
  }
  return out;
}

// A command's first clause, from its paragraph of the usage text: "Compile an author's
// scenario". The paragraph's line breaks and indents become single blanks.
std::string command_summary(const CommandRow& c) {
  std::string text;
  for (char ch : c.about) {
    if (ch == '.' || ch == ':' || ch == '(') break;
    const bool blank = ch == ' ' || ch == '\n';
    if (blank && (text.empty() || text.back() == ' ')) continue;
    text += blank ? ' ' : ch;
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// Rows of keys and summaries, the summaries in one column.
std::string rows(const std::vector<std::pair<std::string, std::string>>& items) {
  std::size_t width = 0;
  for (const auto& [key, summary] : items) width = std::max(width, key.size());
  std::string out;
  for (const auto& [key, summary] : items) {
    std::string k = key;
    k.resize(width + 2, ' ');
    out += "  " + k + summary + "\n";
  }
  return out;
}

// "; did you mean \"curve-order\"?" for a word near a warning's or a command's name. Fault
// codes are not offered: a number one digit off names another fault, not a slip of the hand.
std::string nearest_name(std::string_view typed) {
  std::vector<std::string_view> names;
  for (const Explanation& e : warning_explanations()) names.push_back(e.name);
  for (const DecompileWarning& w : decompile_warnings()) names.push_back(w.name);
  for (const CommandRow* c : explained_commands()) names.push_back(c->name);
  const std::string_view close = closest_word(typed, names);
  return close.empty() ? std::string() : "; did you mean " + echoed(close) + "?";
}

}  // namespace

std::string explanation_text(const Explanation& e) {
  std::string out = (e.code != 0 ? "error " : "warning ") + explanation_key(e) + ": " +
                    explanation_summary(e) + "\n\nCause\n" + wrapped(e.cause, "  ") + "\nExample\n";
  const ExampleScenario& x = e.example;
  if (x.no_line_file) {
    out +=
        "  A folder that holds the train file SCENARIO_LINE-.txt but no line file:\n"
        "    scenario_builder compile SCENARIO LINE\n";
  } else {
    out += "  The line file SCENARIO_linea.txt:\n" + indented(as_written(shown_line_file(x))) +
           "  and the train file SCENARIO_LINE-.txt:\n" + indented(as_written(shown_train_file(x)));
  }
  out += "\nFix\n" + wrapped(e.fix, "  ");
  return out;
}

std::string decompile_warning_text(const DecompileWarning& w) {
  return "warning " + std::string(w.name) + " (decompile): " + std::string(w.summary) +
         "\n\nCause\n" + wrapped(w.cause, "  ") + "\nExample\n" + indented(std::string(w.example)) +
         "\nFix\n" + wrapped(w.fix, "  ");
}

std::string explanation_list() {
  std::vector<std::pair<std::string, std::string>> warnings, commands;
  for (const DecompileWarning& w : decompile_warnings()) {
    warnings.emplace_back(std::string(w.name), std::string(w.summary));
  }
  for (const CommandRow* c : explained_commands()) {
    commands.emplace_back(std::string(c->name), command_summary(*c));
  }
  return "Fault codes (scenario_builder explain CODE):\n" + summary_rows(fault_explanations()) +
         "\nWarnings (scenario_builder explain NAME):\n" + summary_rows(warning_explanations()) +
         "\nWarnings of decompile (scenario_builder explain NAME):\n" + rows(warnings) +
         "\nCommands (scenario_builder explain COMMAND):\n" + rows(commands);
}

int run_explain(const Options& o) {
  if (o.operands.empty()) {
    std::cout << explanation_list();
    return 0;
  }
  const std::string& key = o.operands[0];
  if (const Explanation* e = find_explanation(key)) {
    std::cout << explanation_text(*e);
    return 0;
  }
  if (const DecompileWarning* w = find_decompile_warning(key)) {
    std::cout << decompile_warning_text(*w);
    return 0;
  }
  // A command is explained by its part of the usage text, the one text of its synopsis.
  for (const CommandRow* c : explained_commands()) {
    if (c->name == key) {
      std::cout << usage_text(c->mode);
      return 0;
    }
  }
  std::cerr << "scenario_builder: no fault code, warning or command is called " << echoed(key)
            << "; 'scenario_builder explain' lists them" << nearest_name(key) << "\n";
  return 2;
}

}  // namespace sb
