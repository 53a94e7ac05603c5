#include "platform/folder_listing.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>

#include "platform/platform_error.h"

namespace sb {

std::vector<std::string> ordinary_files_in(const std::string& folder) {
  namespace fs = std::filesystem;
  const fs::path path = folder.empty() ? fs::path(".") : fs::path(folder);
  std::error_code ec;
  fs::directory_iterator it(path, ec);
  if (ec) throw PlatformError("read the folder", path.string(), ec.message());
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : it) {
    std::error_code type_ec;
    if (!entry.is_regular_file(type_ec)) continue;
    try {
      names.push_back(entry.path().filename().string());
    } catch (const std::exception&) {
      // A name the narrow character set cannot spell names no compiled file of ours.
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace sb
