// One run at a time in a folder.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace sb {

// What a run does in a locked folder: one that writes has it to itself; runs that only read
// share it with each other, but never with one that writes.
enum class FolderUse { kWriting, kReading };

// An advisory lock on a folder, held while the object lives and released when it goes away or
// the process ends however it ends. The lock is taken on the folder itself, so no lock file
// appears in it. A run that finds the folder locked by another it cannot share with waits
// until that one is done; `on_wait`, when given, is called once as the waiting begins. An
// empty folder name means the current directory. Throws PlatformError when the folder cannot
// be opened or locked. (On Windows, whose lock is a mutex, readers take turns as writers do.)
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder, const std::function<void()>& on_wait = {},
                      FolderUse use = FolderUse::kWriting);
  ~FolderLock();
  FolderLock(FolderLock&&) noexcept;
  FolderLock& operator=(FolderLock&&) noexcept;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace sb
