// Notes for a source file that is not there. An author who misspells the scenario or line
// name on the command line, or runs in the wrong folder, sees which names the folder does
// hold instead of a bare "not found".
#pragma once

#include <string>

#include "model/scenario.h"

namespace sb {

// For a missing line file: the scenarios whose line files the source folder holds, or that it
// holds none and the folder is given with --dir. Empty when the folder cannot be listed.
std::string missing_line_file_note(const Scenario& s);

// For a train file at `path` that could not be read: when it is missing, the lines of this
// scenario whose train files the source folder holds, or that it holds none. Empty when the
// file is there, or the folder cannot be listed.
std::string missing_train_file_note(const Scenario& s, const std::string& path);

}  // namespace sb
