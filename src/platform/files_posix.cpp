#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/files.h"
#include "platform/platform_error.h"

namespace sb {
namespace {

std::string reason(int err) {
  return std::strerror(err);
}

// A failure to open `path`, marked when the process or the system has no descriptor left.
PlatformError open_failure(const std::string& action, const std::string& path, int err) {
  PlatformError e(action, path, reason(err));
  e.set_out_of_descriptors(err == EMFILE || err == ENFILE);
  return e;
}

FileKind kind_of(const struct stat& st) {
  if (S_ISREG(st.st_mode)) return FileKind::kOrdinary;
  if (S_ISDIR(st.st_mode)) return FileKind::kDirectory;
  if (S_ISFIFO(st.st_mode)) return FileKind::kFifo;
  if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return FileKind::kDevice;
  if (S_ISSOCK(st.st_mode)) return FileKind::kSocket;
  return FileKind::kOther;
}

// Closes the descriptor when it goes out of scope.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

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

std::string path_folder(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return "";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string path_leaf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
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

FileKind file_kind(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) return kind_of(st);
  if (errno == ENOENT || errno == ENOTDIR) return FileKind::kMissing;
  throw PlatformError("open", path, reason(errno));
}

// Opens the ordinary file `path` for reading and calls `read` with its size and a reader of
// its bytes (see read_within_limit). What stands there is looked at before it is opened, so
// that a device is not even opened, and again on the open file, which may have been swapped
// in between. Opening without waiting keeps a FIFO from blocking the open.
void read_opened_file(const std::string& path,
                      const std::function<void(std::uint64_t, const ReadSome&)>& read) {
  const FileKind kind = file_kind(path);
  if (kind == FileKind::kMissing) throw PlatformError("open", path, reason(ENOENT));
  if (kind != FileKind::kOrdinary)
    throw PlatformError("open", path, not_ordinary_file_reason(kind));
  const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
  if (file.fd < 0) throw open_failure("open", path, errno);
  struct stat st {};
  if (::fstat(file.fd, &st) != 0) throw PlatformError("open", path, reason(errno));
  if (kind_of(st) != FileKind::kOrdinary) {
    throw PlatformError("open", path, not_ordinary_file_reason(kind_of(st)));
  }
  read(static_cast<std::uint64_t>(st.st_size), [&](char* into, std::size_t room) {
    for (;;) {
      const ssize_t n = ::read(file.fd, into, room);
      if (n >= 0) return static_cast<std::size_t>(n);
      if (errno != EINTR) throw PlatformError("read", path, reason(errno));
    }
  });
}

void check_replaceable(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) {
    // Nothing there (or a folder on the way missing): the write itself says what is wrong.
    return;
  }
  if (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) return;
  if (S_ISDIR(st.st_mode)) throw PlatformError("write", path, reason(EISDIR));
  throw PlatformError("write", path, not_ordinary_file_reason(kind_of(st)));
}

void check_readable(const std::string& path) {
  if (!is_ordinary_file(path)) return;
  const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
  if (file.fd < 0) throw open_failure("read", path, errno);
}

bool add_second_name(const std::string& path, const std::string& link) {
  // Without AT_SYMLINK_FOLLOW a symbolic link gets the second name itself.
  return ::linkat(AT_FDCWD, path.c_str(), AT_FDCWD, link.c_str(), 0) == 0;
}

void rename_file(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) throw PlatformError("replace", to, reason(errno));
}

void delete_file(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
    throw PlatformError("delete", path, reason(errno));
  }
}

}  // namespace sb
