#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/folder_lock.h"
#include "platform/platform_error.h"

namespace sb {
namespace {

// How often a folder replaced under its path while it was being locked is locked again.
constexpr int kLockAttempts = 5;

// Why the folder at `path` could not be opened to be locked, from the open's errno. The lock
// is taken on the folder itself, which the system opens only for reading, so a folder this
// user may write but not read cannot be locked; no lock file is made in its place.
std::string open_failure_reason(const std::string& path, int err) {
  const std::string reason = std::strerror(err);
  if (err != EACCES) return reason;
  if (::access(path.c_str(), W_OK | X_OK) == 0) {
    return reason +
           ": this user may write in the folder but not read it, and a run locks a folder by "
           "opening it for reading (it makes no lock file); give the user permission to read "
           "it";
  }
  return reason +
         ": this user may not read the folder, and a run locks a folder by opening it "
         "for reading";
}

// Takes the lock on the open folder `fd`, waiting for another run when needed; 0 or the errno.
int take(int fd, int how, const std::function<void()>& on_wait, bool& waited) {
  if (::flock(fd, how | LOCK_NB) == 0) return 0;
  int err = errno;
  if (err == EWOULDBLOCK) {
    if (on_wait && !waited) on_wait();
    waited = true;
    while ((err = ::flock(fd, how) == 0 ? 0 : errno) == EINTR) {
    }
  }
  return err;
}

// Whether the open folder `fd` is still the folder at `path`: it may have been removed, or
// replaced by another of the same name, while this run waited for it.
bool still_at(int fd, const std::string& path) {
  struct stat held {};
  struct stat named {};
  return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
         held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

}  // namespace

struct FolderLock::State {
  int fd = -1;
};

FolderLock::FolderLock(const std::string& folder, const std::function<void()>& on_wait,
                       FolderUse use)
    : state_(std::make_unique<State>()) {
  const std::string path = folder.empty() ? "." : folder;
  const int how = use == FolderUse::kWriting ? LOCK_EX : LOCK_SH;
  bool waited = false;
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw PlatformError("lock the folder", path, open_failure_reason(path, errno));
    if (const int err = take(fd, how, on_wait, waited); err != 0) {
      ::close(fd);
      throw PlatformError("lock the folder", path, std::strerror(err));
    }
    if (still_at(fd, path)) {
      state_->fd = fd;
      return;
    }
    ::close(fd);
  }
  throw PlatformError("lock the folder", path,
                      "it was replaced by another folder of the same name each time it was locked");
}

FolderLock::~FolderLock() {
  if (state_) ::close(state_->fd);
}

FolderLock::FolderLock(FolderLock&&) noexcept = default;
FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
  if (this != &other) {
    if (state_) ::close(state_->fd);
    state_ = std::move(other.state_);
  }
  return *this;
}

}  // namespace sb
