// The folder options of the command line (--dir, --out): a folder named there must exist, and
// a run that writes into a folder has it to itself.
#pragma once

#include <string>

#include "platform/folder_lock.h"

namespace sb {

// True when `folder` is an existing folder; otherwise says so on standard error, naming the
// option, and returns false (the caller then exits with status 2).
bool require_folder(const std::string& folder, const char* option);

// Locks the folder a run writes into (empty: the current directory) for as long as the lock
// lives; while another run holds it, says on standard error that this one waits, and waits.
// Throws PlatformError when the folder cannot be locked.
FolderLock lock_folder(const std::string& folder);

}  // namespace sb
