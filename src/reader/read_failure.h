// A run-time failure while reading the scenario text files: reading past the end of a file,
// a field that is not a number, a value that does not fit its field, a write that would fall
// outside a table. Every one of them ends the reading through the common failure path
// (fault code 25).
#pragma once

#include <stdexcept>
#include <string>

namespace sb {

class ReadFailure : public std::runtime_error {
 public:
  explicit ReadFailure(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace sb
