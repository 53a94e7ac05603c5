#include "platform/folder_listing.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/platform_error.h"

namespace sb {

std::vector<std::string> ordinary_files_in(const std::string& folder) {
  namespace fs = std::filesystem;
  // Names are UTF-8 on every system (Windows would read a narrow name in its code page).
  const fs::path path =
      folder.empty() ? fs::path(".") : fs::path(std::u8string(folder.begin(), folder.end()));
  std::error_code ec;
  fs::directory_iterator it(path, ec);
  if (ec) throw PlatformError("read the folder", folder.empty() ? "." : folder, ec.message());
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : it) {
    std::error_code type_ec;
    if (!entry.is_regular_file(type_ec)) continue;
    try {
      const std::u8string name = entry.path().filename().u8string();
      names.emplace_back(name.begin(), name.end());
    } catch (const std::exception&) {
      // A name the narrow character set cannot spell names no compiled file of ours.
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace sb
