#include "driver/folder_option.h"

#include <iostream>

#include "platform/files.h"
#include "platform/printable_text.h"

namespace sb {

bool require_folder(const std::string& folder, const char* option) {
  if (is_folder(folder)) return true;
  std::cerr << "scenario_builder: no such folder for " << option << ": " << echoed(folder) << "\n";
  return false;
}

FolderLock lock_folder(const std::string& folder) {
  return FolderLock(folder, [&folder] {
    std::cerr << "scenario_builder: another run is writing into the folder "
              << echoed(folder.empty() ? "." : folder) << "; waiting for it to finish\n";
  });
}

}  // namespace sb
