// File-system services: the program's folder, paths, and whole-file reads and writes.
#pragma once

#include <string>
#include <string_view>

namespace sb {

// The folder that holds the running executable, resolved from the running process (not the
// current directory), without a trailing separator.
std::string program_folder();

// Joins a folder and a file name with "/". An empty folder means the current directory.
std::string join_path(const std::string& folder, const std::string& leaf);

// True when `path` names an ordinary file (not a folder or a device).
bool is_ordinary_file(const std::string& path);
bool is_folder(const std::string& path);

// Creates the folder `path` and any missing folder above it. Throws PlatformError.
void make_folders(const std::string& path);

// Reads a whole file. Throws PlatformError when it cannot be opened or read.
std::string read_file(const std::string& path);

// Replaces `path` with exactly `bytes`. The content goes to a temporary file in the same
// folder, which is renamed over the old file only once it is complete, so a failure leaves
// the old file whole; the temporary file is removed on failure. Throws PlatformError.
void write_file(const std::string& path, std::string_view bytes);

// A file being replaced piece by piece, for content too large to build whole first. The
// bytes go to a temporary file in the same folder, which takes the file's name only when
// commit() succeeds; a replacement that is never committed, or fails, leaves the old file
// whole and removes the temporary file. Throws PlatformError.
class ReplacementFile {
 public:
  explicit ReplacementFile(std::string path);
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  void write(std::string_view bytes);
  void commit();

 private:
  [[noreturn]] void fail(int err);

  std::string path_;
  std::string temp_;
  int fd_ = -1;
};

// Deletes a file. Throws PlatformError when it exists and cannot be deleted.
void delete_file(const std::string& path);

}  // namespace sb
