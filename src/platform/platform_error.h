// A failure of the operating system: a file that cannot be created, written, read or deleted.
#pragma once

#include <stdexcept>
#include <string>

namespace sb {

class PlatformError : public std::runtime_error {
 public:
  PlatformError(std::string action, std::string path, std::string reason)
      : std::runtime_error("cannot " + action + " '" + path + "': " + reason),
        path_(std::move(path)),
        reason_(std::move(reason)) {}
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string path_;
  std::string reason_;
};

}  // namespace sb
