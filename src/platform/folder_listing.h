// Listing the names in a folder.
#pragma once

#include <string>
#include <vector>

namespace sb {

// The names of the ordinary files in `folder` (empty: the current directory), sorted. Throws
// PlatformError when the folder cannot be read.
std::vector<std::string> ordinary_files_in(const std::string& folder);

}  // namespace sb
