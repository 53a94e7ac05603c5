// The file-system services on Windows: every name goes to the wide (UTF-16) API, so that any
// name the author types works whatever the system's code page.
#include <windows.h>

#include <filesystem>
#include <string>

#include "platform/files.h"
#include "platform/platform_error.h"
#include "platform/wide_text_win32.h"

namespace sb {
namespace {

std::string last_reason() {
  return system_reason(::GetLastError());
}

// A failure to open `path`, marked when the process has no handle left.
PlatformError open_failure(const std::string& action, const std::string& path) {
  const DWORD err = ::GetLastError();
  PlatformError e(action, path, system_reason(err));
  e.set_out_of_descriptors(err == ERROR_TOO_MANY_OPEN_FILES);
  return e;
}

DWORD attributes(const std::string& path) {
  return ::GetFileAttributesW(to_wide(path).c_str());
}

bool missing(DWORD err) {
  return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND || err == ERROR_INVALID_NAME ||
         err == ERROR_BAD_NETPATH;
}

// An open handle that is closed when it goes out of scope.
struct Handle {
  HANDLE h;
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
  }
};

// Opens an existing file for reading; others may read, write or delete it meanwhile.
HANDLE open_for_reading(const std::string& path) {
  return ::CreateFileW(to_wide(path).c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// What an open handle leads to: a file on disk, a device (CON, NUL, COM1, ...) or a pipe.
FileKind kind_of(HANDLE h) {
  switch (::GetFileType(h)) {
    case FILE_TYPE_DISK:
      return FileKind::kOrdinary;
    case FILE_TYPE_CHAR:
      return FileKind::kDevice;
    case FILE_TYPE_PIPE:
      return FileKind::kFifo;
    default:
      return FileKind::kOther;
  }
}

// A file on disk that read_file reads: ordinary, hidden or a system file.
bool readable_kind(FileKind kind) {
  return kind == FileKind::kOrdinary || kind == FileKind::kHidden || kind == FileKind::kSystem;
}

}  // namespace

std::string program_folder() {
  std::wstring exe(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
    if (n == 0) throw PlatformError("find", "the program's own file", last_reason());
    if (n < exe.size()) {
      exe.resize(n);
      break;
    }
    exe.resize(exe.size() * 2);
  }
  const std::size_t cut = exe.find_last_of(L"\\/");
  if (cut == std::wstring::npos) return ".";
  return to_utf8(exe.substr(0, cut));
}

std::string join_path(const std::string& folder, const std::string& leaf) {
  if (folder.empty()) return leaf;
  if (folder.back() == '\\' || folder.back() == '/') return folder + leaf;
  return folder + "\\" + leaf;
}

std::string path_folder(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\/");
  if (cut == std::string::npos) return "";
  // "C:\name" is in "C:\", not in "C:" (which is the current folder of drive C).
  if (cut == 0 || (cut == 2 && path[1] == ':')) return path.substr(0, cut + 1);
  return path.substr(0, cut);
}

std::string path_leaf(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool is_ordinary_file(const std::string& path) {
  // A hidden file, a system file and a folder count as missing, as does a device.
  try {
    return file_kind(path) == FileKind::kOrdinary;
  } catch (const PlatformError&) {
    return false;
  }
}

bool is_folder(const std::string& path) {
  const DWORD a = attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void make_folders(const std::string& path) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(to_wide(path)), ec);
  if (ec) throw PlatformError("create the folder", path, ec.message());
}

FileKind file_kind(const std::string& path) {
  const DWORD a = attributes(path);
  if (a == INVALID_FILE_ATTRIBUTES) {
    const DWORD err = ::GetLastError();
    if (missing(err)) return FileKind::kMissing;
    throw PlatformError("open", path, system_reason(err));
  }
  if ((a & FILE_ATTRIBUTE_DIRECTORY) != 0) return FileKind::kDirectory;
  if ((a & FILE_ATTRIBUTE_DEVICE) != 0) return FileKind::kDevice;
  // Device names (NUL, CON, ...) pass for files by their attributes: the open handle says.
  const Handle h{::CreateFileW(to_wide(path).c_str(), FILE_READ_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
  const FileKind kind = h.h == INVALID_HANDLE_VALUE ? FileKind::kOrdinary : kind_of(h.h);
  if (kind != FileKind::kOrdinary) return kind;
  if ((a & FILE_ATTRIBUTE_SYSTEM) != 0) return FileKind::kSystem;
  if ((a & FILE_ATTRIBUTE_HIDDEN) != 0) return FileKind::kHidden;
  return FileKind::kOrdinary;
}

// Opens the file `path` for reading as read_file does and calls `read` with its size and a
// reader of its bytes (see read_within_limit).
void read_opened_file(const std::string& path,
                      const std::function<void(std::uint64_t, const ReadSome&)>& read) {
  const FileKind kind = file_kind(path);
  if (kind == FileKind::kMissing) {
    throw PlatformError("open", path, system_reason(ERROR_FILE_NOT_FOUND));
  }
  if (!readable_kind(kind)) throw PlatformError("open", path, not_ordinary_file_reason(kind));
  const Handle file{open_for_reading(path)};
  if (file.h == INVALID_HANDLE_VALUE) throw open_failure("open", path);
  if (kind_of(file.h) != FileKind::kOrdinary) {
    throw PlatformError("open", path, not_ordinary_file_reason(kind_of(file.h)));
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.h, &size)) throw PlatformError("open", path, last_reason());
  read(static_cast<std::uint64_t>(size.QuadPart), [&](char* into, std::size_t room) {
    DWORD n = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(room, 1u << 30));
    if (!::ReadFile(file.h, into, chunk, &n, nullptr)) {
      throw PlatformError("read", path, last_reason());
    }
    return static_cast<std::size_t>(n);
  });
}

void check_replaceable(const std::string& path) {
  const DWORD a = attributes(path);
  if (a != INVALID_FILE_ATTRIBUTES) {
    if ((a & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return;  // a link: the link is replaced
    if ((a & FILE_ATTRIBUTE_DIRECTORY) != 0) throw PlatformError("write", path, "Is a directory");
  }
  // A device (NUL, CON, COM1, ...) or a pipe shows only once opened. Nothing there, or a path
  // that cannot be opened, is left to the write, which says what is wrong.
  const Handle h{::CreateFileW(to_wide(path).c_str(), 0,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
  if (h.h == INVALID_HANDLE_VALUE) return;
  const FileKind kind = kind_of(h.h);
  if (kind != FileKind::kOrdinary)
    throw PlatformError("write", path, not_ordinary_file_reason(kind));
}

void check_readable(const std::string& path) {
  if (!is_ordinary_file(path)) return;
  const Handle file{open_for_reading(path)};
  if (file.h == INVALID_HANDLE_VALUE) throw open_failure("read", path);
}

bool add_second_name(const std::string& path, const std::string& link) {
  return ::CreateHardLinkW(to_wide(link).c_str(), to_wide(path).c_str(), nullptr) != 0;
}

void rename_file(const std::string& from, const std::string& to) {
  if (!::MoveFileExW(to_wide(from).c_str(), to_wide(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    throw PlatformError("replace", to, last_reason());
  }
}

void delete_file(const std::string& path) {
  if (!::DeleteFileW(to_wide(path).c_str())) {
    const DWORD err = ::GetLastError();
    if (!missing(err)) throw PlatformError("delete", path, system_reason(err));
  }
}

}  // namespace sb
