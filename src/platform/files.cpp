#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/platform_error.h"

namespace sb {
namespace {

constexpr int kTempAttempts = 100;

std::string reason(int err) {
  return std::strerror(err);
}

// Writes all of `bytes` to `fd`; returns 0 or the errno of the failed write.
int write_all(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return 0;
}

}  // namespace

std::string program_folder() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) throw PlatformError("find", "/proc/self/exe", ec.message());
  return exe.parent_path().string();
}

std::string join_path(const std::string& folder, const std::string& leaf) {
  if (folder.empty()) return leaf;
  if (folder.back() == '/') return folder + leaf;
  return folder + "/" + leaf;
}

bool is_ordinary_file(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool is_folder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void make_folders(const std::string& path) {
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  if (ec) throw PlatformError("create the folder", path, ec.message());
}

std::string read_file(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw PlatformError("open", path, reason(errno));
  std::string bytes;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    throw PlatformError("read", path, reason(EISDIR));
  }
  if (st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      throw PlatformError("read", path, reason(err));
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return bytes;
}

ReplacementFile::ReplacementFile(std::string path) : path_(std::move(path)) {
  // A name of its own beside the file: never an existing file, and never a link followed.
  for (int attempt = 0; fd_ < 0; ++attempt) {
    temp_ = path_ + ".tmp" + std::to_string(::getpid());
    if (attempt > 0) temp_ += "." + std::to_string(attempt);
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd_ < 0 && (errno != EEXIST || attempt == kTempAttempts - 1)) {
      throw PlatformError("create", path_, reason(errno));
    }
  }
}

ReplacementFile::~ReplacementFile() {
  if (fd_ < 0) return;
  ::close(fd_);
  ::unlink(temp_.c_str());
}

void ReplacementFile::fail(int err) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  ::unlink(temp_.c_str());
  throw PlatformError("write", path_, reason(err));
}

void ReplacementFile::write(std::string_view bytes) {
  if (fd_ < 0) throw PlatformError("write", path_, "the file is already closed");
  if (const int err = write_all(fd_, bytes); err != 0) fail(err);
}

void ReplacementFile::commit() {
  if (fd_ < 0) throw PlatformError("write", path_, "the file is already closed");
  const int fd = fd_;
  fd_ = -1;
  int err = 0;
  if (::close(fd) != 0) err = errno;
  if (err == 0 && ::rename(temp_.c_str(), path_.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(temp_.c_str());
    throw PlatformError("write", path_, reason(err));
  }
}

void write_file(const std::string& path, std::string_view bytes) {
  ReplacementFile file(path);
  file.write(bytes);
  file.commit();
}

void delete_file(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
    throw PlatformError("delete", path, reason(errno));
  }
}

}  // namespace sb
