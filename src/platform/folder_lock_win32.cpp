// One run at a time in a folder, on Windows: a named mutex whose name is the folder's identity
// (its volume and its file index), so that every path to the same folder meets the same lock
// and no lock file appears in the folder. The system releases the mutex when the process ends,
// however it ends.
#include <windows.h>

#include <string>

#include "platform/folder_lock.h"
#include "platform/platform_error.h"
#include "platform/wide_text_win32.h"

namespace sb {
namespace {

// "scenario_builder folder VOLUME-INDEX", or empty when the folder cannot be opened.
std::wstring lock_name(const std::string& folder, DWORD& err) {
  const HANDLE dir = ::CreateFileW(to_wide(folder).c_str(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (dir == INVALID_HANDLE_VALUE) {
    err = ::GetLastError();
    return {};
  }
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = ::GetFileInformationByHandle(dir, &info);
  err = known ? 0 : ::GetLastError();
  ::CloseHandle(dir);
  if (!known) return {};
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    err = ERROR_DIRECTORY;
    return {};
  }
  return L"scenario_builder folder " + std::to_wstring(info.dwVolumeSerialNumber) + L"-" +
         std::to_wstring((std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow);
}

}  // namespace

// The lock goes with its state: released, and its handle closed, when the state goes.
struct FolderLock::State {
  HANDLE mutex = nullptr;
  State() = default;
  State(const State&) = delete;
  State& operator=(const State&) = delete;
  ~State() {
    if (mutex == nullptr) return;
    ::ReleaseMutex(mutex);
    ::CloseHandle(mutex);
  }
};

FolderLock::FolderLock(const std::string& folder, const std::function<void()>& on_wait,
                       FolderUse /*use: a mutex is never shared*/)
    : state_(std::make_unique<State>()) {
  const std::string path = folder.empty() ? "." : folder;
  DWORD err = 0;
  const std::wstring name = lock_name(path, err);
  if (name.empty()) throw PlatformError("lock the folder", path, system_reason(err));
  // Runs of every session share the global name; where it is refused, the session's own.
  HANDLE mutex = ::CreateMutexW(nullptr, FALSE, (L"Global\\" + name).c_str());
  if (mutex == nullptr) mutex = ::CreateMutexW(nullptr, FALSE, (L"Local\\" + name).c_str());
  if (mutex == nullptr) {
    throw PlatformError("lock the folder", path, system_reason(::GetLastError()));
  }
  DWORD waited = ::WaitForSingleObject(mutex, 0);
  if (waited == WAIT_TIMEOUT) {
    if (on_wait) on_wait();
    waited = ::WaitForSingleObject(mutex, INFINITE);
  }
  // An abandoned lock was held by a process that ended without releasing it: it is ours now.
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    const DWORD why = ::GetLastError();
    ::CloseHandle(mutex);
    throw PlatformError("lock the folder", path, system_reason(why));
  }
  state_->mutex = mutex;
  // The folder may have been removed, and another made under its name, while this run waited:
  // the lock then belongs to a folder that is no longer at the path.
  DWORD now_err = 0;
  if (lock_name(path, now_err) != name) {
    state_.reset();
    throw PlatformError("lock the folder", path,
                        "it was replaced by another folder of the same name while it was locked");
  }
}

FolderLock::~FolderLock() = default;
FolderLock::FolderLock(FolderLock&&) noexcept = default;
FolderLock& FolderLock::operator=(FolderLock&&) noexcept = default;

}  // namespace sb
