// The faults recorded while reading and compiling, kept beside `error_code` so that an author
// can be told about every one of them, in the order found, with the source line it belongs to.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sb {

struct Fault {
  std::int32_t code = 0;
  std::optional<std::int32_t> position;  // metres, where the code carries one
  std::string file;                      // empty when the fault belongs to no source line
  int line = 0;
  std::string detail;  // extra words for the message (the file looked for, the failure met)
};

// Where the reader stands: the text file being read and the line of the field just read.
struct SourceLocation {
  std::string file;
  int line = 0;
};

struct FaultLog {
  std::vector<Fault> faults;
  SourceLocation where;
};

}  // namespace sb
