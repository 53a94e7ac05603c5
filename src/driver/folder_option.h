// The folder options of the command line (--dir, --out): a folder named there must exist.
#pragma once

#include <string>

namespace sb {

// True when `folder` is an existing folder; otherwise says so on standard error, naming the
// option, and returns false (the caller then exits with status 2).
bool require_folder(const std::string& folder, const char* option);

}  // namespace sb
