// The two text files of decompiled entries, written as the built-in files are: the sections
// in the writers' order, one entry per line, the values of each section aligned in columns,
// names as stored (single-byte text), a carriage return and line feed after every line.
#pragma once

#include <string>

#include "viewer/decompiled_entries.h"

namespace sb {

std::string decompiled_line_file(const DecompiledEntries& d);
std::string decompiled_train_file(const DecompiledEntries& d);

}  // namespace sb
