#include "driver/explain_run.h"

#include <algorithm>
#include <iostream>

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
    out += "  The line file SCENARIO_linea.txt:\n" + indented(shown_line_file(x)) +
           "  and the train file SCENARIO_LINE-.txt:\n" + indented(shown_train_file(x));
  }
  out += "\nFix\n" + wrapped(e.fix, "  ");
  return out;
}

std::string explanation_list() {
  return "Fault codes (scenario_builder explain CODE):\n" + summary_rows(fault_explanations()) +
         "\nWarnings (scenario_builder explain NAME):\n" + summary_rows(warning_explanations());
}

int run_explain(const Options& o) {
  if (o.operands.empty()) {
    std::cout << explanation_list();
    return 0;
  }
  const Explanation* e = find_explanation(o.operands[0]);
  if (e == nullptr) {
    std::cerr << "scenario_builder: no fault code or warning is called " << echoed(o.operands[0])
              << "; 'scenario_builder explain' lists them\n";
    return 2;
  }
  std::cout << explanation_text(*e);
  return 0;
}

}  // namespace sb
