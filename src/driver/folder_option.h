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
// A set of compiled files that a killed run left half replaced is then completed, saying so
// in one line. Throws PlatformError when the folder cannot be locked or the set completed.
FolderLock lock_folder(const std::string& folder);

// The same for a run that only reads compiled files from the folder: it shares the folder
// with other readers, never with a run that writes, so that it reads one whole set. A set
// left half replaced is completed first (under the lock a writer takes).
FolderLock lock_folder_for_reading(const std::string& folder);

}  // namespace sb
