// Compiling a small scenario through the program and reading back what it reported: the fault
// codes, the warning names and the exit status. Used by the tests of the examples that the
// author's manual and `explain` show.
#pragma once

#include <cstdint>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "test_support.h"

namespace sb::test {

struct Diagnosis {
  int status = -1;
  std::vector<std::int32_t> faults;   // the codes of the "error CODE:" lines
  std::int32_t error_stop = 0;        // the number of the error stop's " Errore n. " line
  std::vector<std::string> warnings;  // the names printed in brackets after warnings
  std::string err;                    // standard error, for the failure messages
};

// Compiles the scenario `scenario`, line `line`, from the two files (no line file when
// `line_file` is nothing).
inline Diagnosis compile_scenario(const std::optional<std::string>& line_file,
                                  const std::string& train_file, const std::string& scenario = "S",
                                  const std::string& line = "L") {
  TempDir dir;
  if (line_file) write_bytes(dir.file(scenario + "_linea.txt"), *line_file);
  write_bytes(dir.file(scenario + "_" + line + "-.txt"), train_file);
  const ProgramResult r = run_program({"compile", scenario, line}, dir.path());
  Diagnosis d;
  d.status = r.status;
  d.err = r.err;
  static const std::regex kFault(R"(\berror (\d+):)");
  static const std::regex kErrorStop(R"(^ Errore n\. (\d+)$)");
  static const std::regex kWarning(R"(warning.*\[([a-z-]+)\]\s*$)");
  std::size_t begin = 0;
  while (begin < r.err.size()) {
    std::size_t end = r.err.find('\n', begin);
    if (end == std::string::npos) end = r.err.size();
    const std::string line = r.err.substr(begin, end - begin);
    begin = end + 1;
    std::smatch m;
    if (std::regex_search(line, m, kWarning)) {
      d.warnings.push_back(m[1]);
    } else if (std::regex_search(line, m, kFault)) {
      d.faults.push_back(std::stoi(m[1]));
    } else if (std::regex_match(line, m, kErrorStop)) {
      d.error_stop = std::stoi(m[1]);
    }
  }
  return d;
}

}  // namespace sb::test
