#include "bench_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "long_scenario.h"

namespace sb::bench {
namespace {

constexpr const char* kScenarioName = "Lungo percorso";
constexpr const char* kLineName = "LINEA L";

}  // namespace

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "sb_bench_XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error(std::string("mkdtemp: ") + std::strerror(errno));
  }
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

QuietStderr::QuietStderr() {
  std::fflush(stderr);
  saved_ = ::dup(STDERR_FILENO);
  const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (saved_ < 0 || null < 0 || ::dup2(null, STDERR_FILENO) < 0) {
    throw std::runtime_error(std::string("cannot silence standard error: ") + std::strerror(errno));
  }
  ::close(null);
}

QuietStderr::~QuietStderr() {
  std::fflush(stderr);
  ::dup2(saved_, STDERR_FILENO);
  ::close(saved_);
}

Scenario long_scenario_in(const std::string& folder) {
  Scenario s;
  set_names(s, kScenarioName, kLineName);
  s.source_folder = folder;
  s.output_folder = folder;
  s.delete_sources = false;
  return s;
}

void write_long_scenario_sources(const std::string& folder) {
  write_long_scenario(folder, kScenarioName, kLineName);
}

void write_plainly(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) throw std::runtime_error("cannot create " + path);
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      throw std::runtime_error("cannot write " + path);
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0) throw std::runtime_error("cannot close " + path);
}

}  // namespace sb::bench
