// Helpers for the tests of the scenario text files: splitting a file into its lines and
// locating characters by their column.
#pragma once

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "test_support.h"

namespace sb::test {

// Splits the bytes of a scenario text file into its lines. Every line must end with CR LF and
// hold no other CR or LF; a malformed file fails the running test.
inline std::vector<std::string> crlf_lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "text after the last line end: \"" << bytes.substr(start) << '"';
      break;
    }
    std::string line = bytes.substr(start, end - start);
    if (line.find_first_of("\r\n") != std::string::npos) {
      ADD_FAILURE() << "stray carriage return or line feed in line " << lines.size();
    }
    lines.push_back(std::move(line));
    start = end + 2;
  }
  return lines;
}

// The columns, counted from 1, at which `c` stands in `line`.
inline std::vector<int> columns_of(std::string_view line, char c) {
  std::vector<int> columns;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == c) columns.push_back(static_cast<int>(i) + 1);
  }
  return columns;
}

// The characters from column `first` to column `last`, both counted from 1 and included.
inline std::string columns(std::string_view line, int first, int last) {
  if (first < 1 || last < first || static_cast<std::size_t>(last) > line.size()) {
    ADD_FAILURE() << "columns " << first << " to " << last << " outside a line of " << line.size()
                  << " characters";
    return {};
  }
  return std::string(
      line.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1)));
}

// The text before the first comma of an entry line (the whole line when it has none).
inline std::string keyword_of(std::string_view line) {
  return std::string(line.substr(0, line.find(',')));
}

// The comma-separated fields after an entry line's keyword, without their surrounding spaces.
inline std::vector<std::string> fields_of(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t comma = line.find(',');
  while (comma != std::string_view::npos) {
    const std::size_t next = line.find(',', comma + 1);
    std::string_view field = line.substr(
        comma + 1, next == std::string_view::npos ? std::string_view::npos : next - comma - 1);
    const std::size_t first = field.find_first_not_of(' ');
    const std::size_t last = field.find_last_not_of(' ');
    fields.emplace_back(first == std::string_view::npos ? std::string_view{}
                                                        : field.substr(first, last - first + 1));
    comma = next;
  }
  return fields;
}

// The whole field as a decimal integer; anything else fails the running test.
inline int to_int(const std::string& field) {
  int value = 0;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (ec != std::errc{} || end != field.data() + field.size() || field.empty()) {
    ADD_FAILURE() << "not a number: \"" << field << '"';
  }
  return value;
}

// The number of spaces right after each comma of `line`.
inline std::vector<int> spaces_after_commas(std::string_view line) {
  std::vector<int> counts;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] != ',') continue;
    int n = 0;
    while (i + 1 + n < line.size() && line[i + 1 + n] == ' ') ++n;
    counts.push_back(n);
  }
  return counts;
}

// Writes one scenario text file with `writer` into a fresh folder and returns its lines.
inline std::vector<std::string> written_lines(void (*writer)(const Scenario&),
                                              std::string (*file_name)(const Scenario&)) {
  TempDir dir;
  const Scenario s = builtin_scenario(dir.path());
  writer(s);
  return crlf_lines(read_bytes(file_name(s)));
}

}  // namespace sb::test
