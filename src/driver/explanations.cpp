#include "driver/explanations.h"

#include <algorithm>
#include <vector>

#include "model/faults.h"
#include "model/warnings.h"

namespace sb {

std::span<const Explanation> fault_explanations() {
  static const std::vector<Explanation> table = [] {
    std::vector<Explanation> rows;
    for (const FaultInfo& f : kFaults) {
      rows.push_back(
          {.code = fault_number(f.fault), .cause = f.cause, .example = f.example, .fix = f.fix});
    }
    return rows;
  }();
  return table;
}

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
  if (e.code != 0) {
    const FaultInfo* fault = find_fault(e.code);
    return fault != nullptr ? std::string(fault->message) : std::string();
  }
  for (const WarningInfo& info : kWarnings) {
    if (info.name == e.name) return std::string(info.summary);
  }
  return {};
}

namespace {

std::string_view line_file_of(const ExampleScenario& x) {
  return x.line_file.empty() ? kSmallestLineFile : x.line_file;
}
std::string_view train_file_of(const ExampleScenario& x) {
  return x.train_file.empty() ? kSmallestTrainFile : x.train_file;
}

// `text` with its line that holds "{p}" written out for p = 0, step, 2 x step ... (`repeat`
// times), or, when `shown`, for the first two of them and a line that tells the rest.
std::string expanded(std::string_view text, const ExampleScenario& x, bool shown) {
  std::string out;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find('\n', begin);
    end = end == std::string_view::npos ? text.size() : end + 1;
    const std::string_view line = text.substr(begin, end - begin);
    begin = end;
    const std::size_t mark = line.find("{p}");
    if (mark == std::string_view::npos || x.repeat <= 0) {
      out += line;
      continue;
    }
    const int written = shown ? std::min(x.repeat, 2) : x.repeat;
    for (int i = 0; i < written; ++i) {
      out += line.substr(0, mark);
      out += std::to_string(i * x.step);
      out += line.substr(mark + 3);
    }
    if (written < x.repeat) {
      out += "... (" + std::to_string(x.repeat) + " such lines, every " + std::to_string(x.step) +
             " m up to " + std::to_string((x.repeat - 1) * x.step) + " m)\n";
    }
  }
  return out;
}

}  // namespace

std::string example_line_file(const ExampleScenario& x) {
  return expanded(line_file_of(x), x, false);
}
std::string example_train_file(const ExampleScenario& x) {
  return expanded(train_file_of(x), x, false);
}
std::string shown_line_file(const ExampleScenario& x) {
  return expanded(line_file_of(x), x, true);
}
std::string shown_train_file(const ExampleScenario& x) {
  return expanded(train_file_of(x), x, true);
}

}  // namespace sb
