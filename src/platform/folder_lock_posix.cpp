#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/folder_lock.h"
#include "platform/platform_error.h"

namespace sb {

struct FolderLock::State {
  int fd = -1;
};

FolderLock::FolderLock(const std::string& folder, const std::function<void()>& on_wait)
    : state_(std::make_unique<State>()) {
  const std::string path = folder.empty() ? "." : folder;
  state_->fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (state_->fd < 0) throw PlatformError("lock the folder", path, std::strerror(errno));
  if (::flock(state_->fd, LOCK_EX | LOCK_NB) == 0) return;
  int err = errno;
  if (err == EWOULDBLOCK) {
    if (on_wait) on_wait();
    while ((err = ::flock(state_->fd, LOCK_EX) == 0 ? 0 : errno) == EINTR) {
    }
  }
  if (err != 0) {
    ::close(state_->fd);
    throw PlatformError("lock the folder", path, std::strerror(err));
  }
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
