#include "test_support.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "driver/builtin_run.h"
#include "platform/files.h"

namespace sb::test {

namespace fs = std::filesystem;

fs::path fs_path(const std::string& path) {
  return fs::path(std::u8string(path.begin(), path.end()));
}

std::string utf8_path(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

TempDir::TempDir() {
  // A new folder under a random name: create_directory fails on a name already taken.
  static std::mt19937_64 random{std::random_device{}()};
  const fs::path base = fs::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::ostringstream leaf;
    leaf << "sb_test_" << std::hex << random();
    const fs::path candidate = base / leaf.str();
    if (fs::create_directory(candidate)) {
      path_ = utf8_path(candidate);
      return;
    }
  }
  throw std::runtime_error("no free name for a temporary folder in " + utf8_path(base));
}

TempDir::~TempDir() {
  std::error_code ec;
  const fs::path root = fs_path(path_);
  // Make everything writable again so that tests that took permissions away clean up.
  for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::end(it);
       it.increment(ec)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(root, ec);
}

std::string TempDir::file(const std::string& leaf) const {
  return join_path(path_, leaf);
}

std::vector<std::string> TempDir::entries() const {
  return entries_of(path_);
}

std::vector<std::string> entries_of(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(fs_path(folder))) {
    names.push_back(utf8_path(e.path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string read_bytes(const std::string& path) {
  std::ifstream in(fs_path(path), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void write_bytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(fs_path(path), std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(fs_path(path), ec);
}

std::string copy_program(const std::string& folder) {
  const fs::path program = fs_path(SB_PROGRAM);
  const std::string copy = join_path(folder, utf8_path(program.filename()));
  fs::copy_file(program, fs_path(copy));
  return copy;
}

Scenario builtin_scenario(const std::string& folder) {
  Scenario s;
  set_builtin_names(s, folder);
  return s;
}

std::string crlf(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  return text;
}

}  // namespace sb::test
