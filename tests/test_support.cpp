#include "test_support.h"

#include <algorithm>
#include <cstdlib>
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

std::uint64_t digest(std::string_view bytes, std::uint64_t h) {
  for (const char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 0x100000001b3u;
  }
  return h;
}

FolderState folder_state(const std::string& folder) {
  FolderState state;
  const fs::path root = fs_path(folder);
  for (auto it = fs::recursive_directory_iterator(root); it != fs::end(it); ++it) {
    // Names with "/" between folders on every system.
    const std::u8string relative = it->path().lexically_relative(root).generic_u8string();
    const std::string name(relative.begin(), relative.end());
    const fs::file_status st = it->symlink_status();
    if (fs::is_symlink(st)) {
      state[name] = "link -> " + utf8_path(fs::read_symlink(it->path()));
    } else if (fs::is_directory(st)) {
      state[name] = "folder";
    } else if (fs::is_regular_file(st)) {
      // Read in blocks: a test may leave a file of tens of megabytes.
      std::ifstream in(it->path(), std::ios::binary);
      std::uint64_t h = digest("");
      std::uint64_t size = 0;
      std::vector<char> block(1 << 16);
      while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
        const auto n = static_cast<std::size_t>(in.gcount());
        h = digest(std::string_view(block.data(), n), h);
        size += n;
      }
      state[name] = "file " + std::to_string(size) + " " + std::to_string(h);
    } else if (fs::is_fifo(st)) {
      state[name] = "fifo";
    } else {
      state[name] = "other";
    }
  }
  return state;
}

std::string describe(const FolderState& state) {
  std::string text;
  for (const auto& [name, what] : state) text += "  " + name + ": " + what + "\n";
  return text;
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

void expect_program_allowed() {
  if (std::getenv("SB_TEST_IN_PROCESS") != nullptr) {
    throw std::logic_error(
        "this test starts the program but is labelled unit: list its suite among the suites "
        "that run the program (SB_PROGRAM_SUITES in tests/CMakeLists.txt)");
  }
}

ProgramResult run_program(const std::vector<std::string>& args, const std::string& cwd,
                          const std::string& program, const RunLimits& limits) {
  RunningProgram run(args, cwd, program, limits);
  return run.wait();
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
