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

constexpr int kTempAttempts = 100;

std::string last_reason() {
  return system_reason(::GetLastError());
}

DWORD attributes(const std::string& path) {
  return ::GetFileAttributesW(to_wide(path).c_str());
}

// Opens an existing file for reading; others may read, write or delete it meanwhile.
HANDLE open_for_reading(const std::string& path) {
  return ::CreateFileW(to_wide(path).c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// Writes all of `bytes` to `file`; returns 0 or the error code of the failed write.
DWORD write_all(HANDLE file, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
    DWORD written = 0;
    if (!::WriteFile(file, p, chunk, &written, nullptr)) return ::GetLastError();
    p += written;
    left -= written;
  }
  return 0;
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

bool is_ordinary_file(const std::string& path) {
  // A hidden file, a system file and a folder count as missing, as does a device.
  const DWORD a = attributes(path);
  constexpr DWORD kNotOrdinary = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
  return a != INVALID_FILE_ATTRIBUTES && (a & kNotOrdinary) == 0;
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

void check_readable(const std::string& path) {
  if (!is_ordinary_file(path)) return;
  const HANDLE file = open_for_reading(path);
  if (file == INVALID_HANDLE_VALUE) throw PlatformError("read", path, last_reason());
  ::CloseHandle(file);
}

std::string read_file(const std::string& path) {
  const HANDLE file = open_for_reading(path);
  if (file == INVALID_HANDLE_VALUE) throw PlatformError("open", path, last_reason());
  if (::GetFileType(file) != FILE_TYPE_DISK) {
    ::CloseHandle(file);
    throw PlatformError("read", path, "not a file on disk");
  }
  std::string bytes;
  LARGE_INTEGER size{};
  if (::GetFileSizeEx(file, &size) && size.QuadPart > 0) {
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  }
  char buffer[1 << 16];
  for (;;) {
    DWORD n = 0;
    if (!::ReadFile(file, buffer, sizeof buffer, &n, nullptr)) {
      const std::string why = last_reason();
      ::CloseHandle(file);
      throw PlatformError("read", path, why);
    }
    if (n == 0) break;
    bytes.append(buffer, n);
  }
  ::CloseHandle(file);
  return bytes;
}

ReplacementFile::ReplacementFile(std::string path) : path_(std::move(path)) {
  // A name of its own beside the file: CREATE_NEW never opens an existing file or link.
  for (int attempt = 0; fd_ < 0; ++attempt) {
    temp_ = path_ + ".tmp" + std::to_string(::GetCurrentProcessId());
    if (attempt > 0) temp_ += "." + std::to_string(attempt);
    const HANDLE file = ::CreateFileW(to_wide(temp_).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      fd_ = reinterpret_cast<std::intptr_t>(file);
    } else if (::GetLastError() != ERROR_FILE_EXISTS || attempt == kTempAttempts - 1) {
      throw PlatformError("create", path_, last_reason());
    }
  }
}

ReplacementFile::~ReplacementFile() {
  if (fd_ < 0) return;
  ::CloseHandle(reinterpret_cast<HANDLE>(fd_));
  ::DeleteFileW(to_wide(temp_).c_str());
}

void ReplacementFile::fail(int err) {
  if (fd_ >= 0) ::CloseHandle(reinterpret_cast<HANDLE>(fd_));
  fd_ = -1;
  ::DeleteFileW(to_wide(temp_).c_str());
  throw PlatformError("write", path_, system_reason(static_cast<DWORD>(err)));
}

void ReplacementFile::write(std::string_view bytes) {
  if (fd_ < 0) throw PlatformError("write", path_, "the file is already closed");
  const DWORD err = write_all(reinterpret_cast<HANDLE>(fd_), bytes);
  if (err != 0) fail(static_cast<int>(err));
}

void ReplacementFile::commit() {
  if (fd_ < 0) throw PlatformError("write", path_, "the file is already closed");
  const HANDLE file = reinterpret_cast<HANDLE>(fd_);
  fd_ = -1;
  // The content reaches the disk before the new file takes the old one's name, and the
  // rename itself is written through.
  DWORD err = 0;
  if (!::FlushFileBuffers(file)) err = ::GetLastError();
  if (!::CloseHandle(file) && err == 0) err = ::GetLastError();
  if (err == 0 && !::MoveFileExW(to_wide(temp_).c_str(), to_wide(path_).c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    err = ::GetLastError();
  }
  if (err != 0) {
    ::DeleteFileW(to_wide(temp_).c_str());
    throw PlatformError("write", path_, system_reason(err));
  }
}

void write_file(const std::string& path, std::string_view bytes) {
  ReplacementFile file(path);
  file.write(bytes);
  file.commit();
}

void delete_file(const std::string& path) {
  if (!::DeleteFileW(to_wide(path).c_str())) {
    const DWORD err = ::GetLastError();
    if (err != ERROR_FILE_NOT_FOUND && err != ERROR_PATH_NOT_FOUND) {
      throw PlatformError("delete", path, system_reason(err));
    }
  }
}

}  // namespace sb
