#include "driver/explanations.h"

#include "driver/diagnostics.h"
#include "model/warnings.h"

namespace sb {

const Explanation* find_explanation(std::string_view key) {
  for (const auto table : {fault_explanations(), warning_explanations()}) {
    for (const Explanation& e : table) {
      if (explanation_key(e) == key) return &e;
    }
  }
  return nullptr;
}

std::string explanation_key(const Explanation& e) {
  return e.code != 0 ? std::to_string(e.code) : std::string(e.name);
}

std::string explanation_summary(const Explanation& e) {
  if (!e.summary.empty()) return std::string(e.summary);
  if (e.code != 0) return fault_message(e.code);
  for (const WarningInfo& info : kWarnings) {
    if (info.name == e.name) return std::string(info.summary);
  }
  return {};
}

std::string example_line_file(const ExampleScenario& x) {
  return std::string(x.line_file.empty() ? kSmallestLineFile : x.line_file);
}

std::string example_train_file(const ExampleScenario& x) {
  const std::string_view text = x.train_file.empty() ? kSmallestTrainFile : x.train_file;
  std::string out;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find('\n', begin);
    end = end == std::string_view::npos ? text.size() : end + 1;
    const std::string_view line = text.substr(begin, end - begin);
    const std::size_t mark = line.find("{p}");
    if (mark == std::string_view::npos || x.repeat <= 0) {
      out += line;
    } else {
      for (int i = 0; i < x.repeat; ++i) {
        out += line.substr(0, mark);
        out += std::to_string(i * x.step);
        out += line.substr(mark + 3);
      }
    }
    begin = end;
  }
  return out;
}

}  // namespace sb
