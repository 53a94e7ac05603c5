#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/files.h"
#include "platform/interrupts.h"
#include "platform/platform_error.h"
#include "platform/posix_io.h"
#include "platform/temporary_file.h"
#include "platform/temporary_names.h"

namespace sb {
namespace {

std::atomic<bool> g_allow_unnamed{true};

// Unnamed files are linked to their name through /proc; without it they cannot be.
bool unnamed_possible() {
  static const bool proc = ::access("/proc/self/fd", X_OK) == 0;
  return proc && g_allow_unnamed.load();
}

// Removes the temporary files of `target` that a process which no longer exists left
// (killed before it could remove them). A name whose process still runs is left alone.
void remove_stale_siblings(const std::string& target) {
  const std::string folder = path_folder(target);
  const std::string leaf = path_leaf(target);
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* e = ::readdir(dir)) {
    const auto pid = temporary_owner(e->d_name, leaf);
    if (!pid || *pid == ::getpid()) continue;
    if (::kill(static_cast<pid_t>(*pid), 0) == 0 || errno != ESRCH) continue;
    ::unlinkat(::dirfd(dir), e->d_name, 0);
  }
  ::closedir(dir);
}

}  // namespace

struct TemporaryFile::State {
  int fd = -1;
  std::string name;  // empty while the file has no name
  std::unique_ptr<RegisteredName> registered;
  bool sealed = false;
  bool published = false;
};

TemporaryFile::TemporaryFile(std::string target)
    : target_(std::move(target)), state_(std::make_unique<State>()) {
  // A folder, a device, a FIFO or a socket is never replaced: said before anything is written.
  check_replaceable(target_);
  remove_stale_siblings(target_);
  if (unnamed_possible()) {
    const std::string folder = path_folder(target_);
    state_->fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (state_->fd >= 0) return;
    // A file system without unnamed files falls back on a name; any other failure is final.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
      throw PlatformError("create", target_, std::strerror(errno));
    }
  }
  // The name is registered the moment the file exists, so that no interrupt comes between.
  const InterruptsDeferred deferred;
  for (int attempt = 0; state_->fd < 0; ++attempt) {
    const std::string name = temporary_name(target_, ::getpid(), attempt);
    state_->fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (state_->fd >= 0) {
      state_->name = name;
      state_->registered = std::make_unique<RegisteredName>(name);
    } else if (errno != EEXIST || attempt == kTemporaryNameAttempts - 1) {
      throw PlatformError("create", target_, std::strerror(errno));
    }
  }
}

TemporaryFile::~TemporaryFile() {
  discard();
}

void TemporaryFile::fail(int err) {
  discard();
  throw PlatformError("write", target_, std::strerror(err));
}

void TemporaryFile::write(std::string_view bytes) {
  if (state_->fd < 0) throw PlatformError("write", target_, "the file is already closed");
  if (const int err = write_all(state_->fd, bytes); err != 0) fail(err);
}

void TemporaryFile::write_at(std::uint64_t offset, std::string_view bytes) {
  if (state_->fd < 0) throw PlatformError("write", target_, "the file is already closed");
  if (const int err = write_all_at(state_->fd, offset, bytes); err != 0) fail(err);
}

std::size_t TemporaryFile::read_at(std::uint64_t offset, char* buffer, std::size_t size) {
  if (state_->fd < 0) throw PlatformError("read", target_, "the file is already closed");
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n =
        ::pread(state_->fd, buffer + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail(errno);
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

void TemporaryFile::resize(std::uint64_t size) {
  if (state_->fd < 0) throw PlatformError("write", target_, "the file is already closed");
  if (::ftruncate(state_->fd, static_cast<off_t>(size)) != 0) fail(errno);
}

void TemporaryFile::seal() {
  if (state_->fd < 0) throw PlatformError("write", target_, "the file is already closed");
  const InterruptsDeferred deferred;
  if (state_->name.empty()) {
    const std::string link = "/proc/self/fd/" + std::to_string(state_->fd);
    for (int attempt = 0; state_->name.empty(); ++attempt) {
      const std::string name = temporary_name(target_, ::getpid(), attempt);
      if (::linkat(AT_FDCWD, link.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        state_->name = name;
        state_->registered = std::make_unique<RegisteredName>(name);
      } else if (errno != EEXIST || attempt == kTemporaryNameAttempts - 1) {
        fail(errno);
      }
    }
  }
  const int fd = state_->fd;
#ifdef __linux__
  // Renaming over an existing file makes some file systems (ext4) allocate and start writing
  // the new file's pages inside the rename: 5 ms for a 20 MB route matrix file, during which
  // the set of outputs is mixed. Starting that writing now, before any output is replaced,
  // leaves the renames nothing to do but rename.
  if (::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE) != 0 &&
      (errno == EIO || errno == ENOSPC)) {
    fail(errno);
  }
#endif
  state_->fd = -1;
  if (::close(fd) != 0) fail(errno);
  state_->sealed = true;
  recheck_target();
}

const std::string& TemporaryFile::sealed_name() const {
  return state_->name;
}

void TemporaryFile::publish() {
  if (!state_->sealed || state_->published) {
    throw PlatformError("write", target_, "the file is not ready to replace it");
  }
  if (::rename(state_->name.c_str(), target_.c_str()) != 0) fail(errno);
  state_->published = true;
  state_->registered.reset();
}

void TemporaryFile::discard() noexcept {
  if (state_->published) return;
  if (state_->fd >= 0) ::close(state_->fd);
  state_->fd = -1;
  if (!state_->name.empty()) ::unlink(state_->name.c_str());
  state_->name.clear();
  state_->registered.reset();
  state_->sealed = false;
}

void TemporaryFile::allow_unnamed(bool allow) {
  g_allow_unnamed = allow;
}

}  // namespace sb
