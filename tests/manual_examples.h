// The examples of the author's manual and of the README: fenced blocks whose info string names
// what they hold, and the two files each one is compiled with.
//
//   line-file, train-file    a whole file, compiled with the smallest file of the other kind
//                            (a train file marked "with-line-file": with the line file above);
//   line-entry, train-entry  entries, compiled inside the smallest files;
// followed by "fault=CODE" or "warning=NAME" when the example gives one.
//
// Shared by the manual's own tests and the decompiler's round trip.
#pragma once

#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "driver/explanations.h"
#include "reader/keywords.h"
#include "reader/text_match.h"
#include "test_support.h"

namespace sb::test {

inline const std::string kManual = std::string(SB_SOURCE_DIR) + "/docs/authoring.md";
inline const std::string kReadme = std::string(SB_SOURCE_DIR) + "/README.md";

inline std::vector<std::string> lines_of(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  return lines;
}

struct Example {
  std::string where;  // the file and line of the block, for messages
  std::string kind;
  std::string expect;  // "", "fault=CODE", "warning=NAME" or "explain=CODE"
  bool with_line_file = false;
  std::string text;
  std::string line_file;  // the text of the last line-file block above it
};

// The fenced blocks of the file at `path` whose info string begins with one of `kinds`.
inline std::vector<Example> examples(const std::string& path,
                                     const std::set<std::string>& kinds = {
                                         "line-file", "train-file", "line-entry", "train-entry"}) {
  std::vector<Example> found;
  std::string line_file;
  const std::vector<std::string> lines = lines_of(read_bytes(path));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind("```", 0) != 0) continue;
    std::size_t close = i + 1;
    while (close < lines.size() && lines[close].rfind("```", 0) != 0) ++close;
    Example x;
    x.where = path + ":" + std::to_string(i + 1);
    std::istringstream info(lines[i].substr(3));
    info >> x.kind;
    for (std::string word; info >> word;) {
      if (word == "with-line-file") {
        x.with_line_file = true;
      } else {
        x.expect = word;
      }
    }
    for (std::size_t k = i + 1; k < close; ++k) x.text += lines[k] + "\n";
    x.line_file = line_file;
    if (x.kind == "line-file") line_file = x.text;
    if (kinds.count(x.kind) != 0) found.push_back(x);
    i = close;
  }
  return found;
}

inline bool matches(const Keyword& k, std::string_view field) {
  auto has = [&](std::string_view word) {
    return word.empty() ||
           (k.case_sensitive ? contains(field, word) : contains_ignoring_case(field, word));
  };
  return has(k.first) && has(k.second);
}

// The keyword field of an entry line: up to its first comma.
inline std::string_view keyword_field(std::string_view line) {
  return line.substr(0, line.find(','));
}

inline bool is_general_entry(std::string_view line) {
  for (const Keyword& k : kKeywords) {
    if (k.pass == Pass::kGeneral && matches(k, keyword_field(line))) return true;
  }
  return false;
}

// The line file and the train file an example is compiled with.
inline std::pair<std::string, std::string> scenario_of(const Example& x) {
  std::string line(kSmallestLineFile), train(kSmallestTrainFile);
  const std::string fine = "[fine]\n";
  if (x.kind == "line-file") line = x.text;
  if (x.kind == "train-file") train = x.text;
  if (x.with_line_file) line = x.line_file;
  if (x.kind == "line-entry") {
    std::string general, body;
    for (const std::string& l : lines_of(x.text))
      (is_general_entry(l) ? general : body) += l + "\n";
    line = line.substr(0, line.size() - fine.size()) + general + "[tracciato]\n" + body + fine;
  }
  if (x.kind == "train-entry") train = train.substr(0, train.size() - fine.size()) + x.text + fine;
  return {line, train};
}

}  // namespace sb::test
