// Temporary files on Windows. Windows has no unnamed files: the file is always named
// "TARGET.tmpPID" beside its target, created anew (CREATE_NEW never opens an existing file or
// a link standing there), removed by an interrupt (Ctrl-C, the console closed), and removed
// by the next run when a process was killed before it could remove it.
#include <windows.h>

#include <atomic>

#include "platform/files.h"
#include "platform/interrupts.h"
#include "platform/platform_error.h"
#include "platform/temporary_file.h"
#include "platform/temporary_names.h"
#include "platform/wide_text_win32.h"

namespace sb {
namespace {

std::atomic<bool> g_allow_unnamed{true};

bool process_running(long pid) {
  const HANDLE process =
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  // A process that we may not look at still runs.
  if (process == nullptr) return ::GetLastError() != ERROR_INVALID_PARAMETER;
  DWORD code = 0;
  const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
  ::CloseHandle(process);
  return running;
}

// Removes the temporary files of `target` that a process which no longer runs left behind
// (killed before it could remove them). A name whose process still runs is left alone.
void remove_stale_siblings(const std::string& target) {
  const std::string folder = path_folder(target);
  const std::string leaf = path_leaf(target);
  WIN32_FIND_DATAW found{};
  // A long target's temporary names begin with its name cut short: every "*.tmp*" is looked at.
  const HANDLE search =
      ::FindFirstFileExW(to_wide(join_path(folder, "*.tmp*")).c_str(), FindExInfoBasic, &found,
                         FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return;
  const long self = static_cast<long>(::GetCurrentProcessId());
  do {
    const std::string entry = to_utf8(found.cFileName);
    const auto pid = temporary_owner(entry, leaf);
    if (!pid || *pid == self || process_running(*pid)) continue;
    ::DeleteFileW(to_wide(join_path(folder, entry)).c_str());
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

OVERLAPPED at(std::uint64_t offset) {
  OVERLAPPED o{};
  o.Offset = static_cast<DWORD>(offset);
  o.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return o;
}

}  // namespace

struct TemporaryFile::State {
  HANDLE file = INVALID_HANDLE_VALUE;
  std::string name;
  std::unique_ptr<RegisteredName> registered;
  std::uint64_t end = 0;  // where write() goes on
  bool sealed = false;
  bool published = false;
};

TemporaryFile::TemporaryFile(std::string target)
    : target_(std::move(target)), state_(std::make_unique<State>()) {
  // A folder or a device is never replaced: said before anything is written.
  check_replaceable(target_);
  remove_stale_siblings(target_);
  // The name is registered the moment the file exists, so that no interrupt comes between.
  const InterruptsDeferred deferred;
  const long pid = static_cast<long>(::GetCurrentProcessId());
  for (int attempt = 0; state_->file == INVALID_HANDLE_VALUE; ++attempt) {
    const std::string name = temporary_name(target_, pid, attempt);
    // Shared for deleting only: an interrupt removes the file while it is still open here.
    state_->file =
        ::CreateFileW(to_wide(name).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_DELETE,
                      nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (state_->file != INVALID_HANDLE_VALUE) {
      state_->name = name;
      state_->registered = std::make_unique<RegisteredName>(name);
    } else if (const DWORD err = ::GetLastError();
               (err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS) ||
               attempt == kTemporaryNameAttempts - 1) {
      throw PlatformError("create", target_, system_reason(err));
    }
  }
}

TemporaryFile::~TemporaryFile() {
  discard();
}

void TemporaryFile::fail(int err) {
  discard();
  throw PlatformError("write", target_, system_reason(static_cast<DWORD>(err)));
}

void TemporaryFile::write(std::string_view bytes) {
  write_at(state_->end, bytes);
  state_->end += bytes.size();
}

void TemporaryFile::write_at(std::uint64_t offset, std::string_view bytes) {
  if (state_->file == INVALID_HANDLE_VALUE) {
    throw PlatformError("write", target_, "the file is already closed");
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    OVERLAPPED where = at(offset + done);
    DWORD written = 0;
    if (!::WriteFile(state_->file, bytes.data() + done, chunk, &written, &where)) {
      fail(static_cast<int>(::GetLastError()));
    }
    done += written;
  }
}

std::size_t TemporaryFile::read_at(std::uint64_t offset, char* buffer, std::size_t size) {
  if (state_->file == INVALID_HANDLE_VALUE) {
    throw PlatformError("read", target_, "the file is already closed");
  }
  std::size_t done = 0;
  while (done < size) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 30));
    OVERLAPPED where = at(offset + done);
    DWORD n = 0;
    if (!::ReadFile(state_->file, buffer + done, chunk, &n, &where)) {
      const DWORD err = ::GetLastError();
      if (err == ERROR_HANDLE_EOF) break;
      fail(static_cast<int>(err));
    }
    if (n == 0) break;
    done += n;
  }
  return done;
}

void TemporaryFile::resize(std::uint64_t size) {
  if (state_->file == INVALID_HANDLE_VALUE) {
    throw PlatformError("write", target_, "the file is already closed");
  }
  FILE_END_OF_FILE_INFO end{};
  end.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
  if (!::SetFileInformationByHandle(state_->file, FileEndOfFileInfo, &end, sizeof end)) {
    fail(static_cast<int>(::GetLastError()));
  }
}

void TemporaryFile::seal() {
  if (state_->file == INVALID_HANDLE_VALUE) {
    throw PlatformError("write", target_, "the file is already closed");
  }
  const InterruptsDeferred deferred;
  // The content reaches the disk before the file can take the target's name.
  const HANDLE file = state_->file;
  state_->file = INVALID_HANDLE_VALUE;
  DWORD err = ::FlushFileBuffers(file) ? 0 : ::GetLastError();
  if (!::CloseHandle(file) && err == 0) err = ::GetLastError();
  if (err != 0) fail(static_cast<int>(err));
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
  if (!::MoveFileExW(to_wide(state_->name).c_str(), to_wide(target_).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    fail(static_cast<int>(::GetLastError()));
  }
  state_->published = true;
  state_->registered.reset();
}

void TemporaryFile::discard() noexcept {
  if (state_->published) return;
  if (state_->file != INVALID_HANDLE_VALUE) ::CloseHandle(state_->file);
  state_->file = INVALID_HANDLE_VALUE;
  if (!state_->name.empty()) ::DeleteFileW(to_wide(state_->name).c_str());
  state_->name.clear();
  state_->registered.reset();
  state_->sealed = false;
}

void TemporaryFile::allow_unnamed(bool allow) {
  // Windows files always have a name; the setting is kept for the tests that change it.
  g_allow_unnamed = allow;
}

}  // namespace sb
