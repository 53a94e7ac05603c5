// Whole writes on a file descriptor, shared by the platform's POSIX files.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <string_view>

namespace sb {

// Writes all of `bytes` at the file's position; returns 0 or the errno of the failed write.
inline int write_all(int fd, std::string_view bytes) {
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

// Writes all of `bytes` at `offset`, leaving the file's position; 0 or the errno.
inline int write_all_at(int fd, std::uint64_t offset, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::pwrite(fd, p, left, static_cast<off_t>(offset));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    p += n;
    offset += static_cast<std::uint64_t>(n);
    left -= static_cast<std::size_t>(n);
  }
  return 0;
}

}  // namespace sb
