#include "driver/folder_option.h"

#include <iostream>

#include "compiler/replacement_record.h"
#include "platform/files.h"
#include "platform/printable_text.h"

namespace sb {

bool require_folder(const std::string& folder, const char* option) {
  if (is_folder(folder)) return true;
  std::cerr << "scenario_builder: no such folder for " << option << ": " << echoed(folder) << "\n";
  return false;
}

namespace {

FolderLock lock_for(const std::string& folder, FolderUse use) {
  return FolderLock(
      folder,
      [&folder] {
        std::cerr << "scenario_builder: another run is writing into the folder "
                  << echoed(folder.empty() ? "." : folder) << "; waiting for it to finish\n";
      },
      use);
}

void complete_replacement(const std::string& folder) {
  if (const auto account = complete_interrupted_replacement(folder)) std::cerr << *account << "\n";
}

}  // namespace

FolderLock lock_folder(const std::string& folder) {
  FolderLock lock = lock_for(folder, FolderUse::kWriting);
  complete_replacement(folder);
  return lock;
}

FolderLock lock_folder_for_reading(const std::string& folder) {
  FolderLock lock = lock_for(folder, FolderUse::kReading);
  if (!replacement_pending(folder)) return lock;
  // Completing the set writes: the shared lock is let go, and the writer's taken.
  { const FolderLock let_go = std::move(lock); }
  lock = lock_for(folder, FolderUse::kWriting);
  complete_replacement(folder);
  return lock;
}

}  // namespace sb
