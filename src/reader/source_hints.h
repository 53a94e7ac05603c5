// Notes for a source file that is not there. An author who misspells the scenario or line
// name on the command line, or runs in the wrong folder, sees which names the folder does
// hold instead of a bare "not found".
#pragma once

#include <string>
#include <vector>

#include "model/scenario.h"

namespace sb {

// For a missing line file: which names to give when SCENARIO or LINE was typed as a file's
// name; else the files whose names differ from it only in case, "-" or blanks; else the
// scenarios whose line files the source folder holds, or that it holds none and the folder
// is given with --dir. Empty when the folder cannot be listed.
std::vector<std::string> missing_line_file_notes(const Scenario& s);

// For a train file at `path` that could not be read, when it is missing: the same, with the
// lines of this scenario whose train files the source folder holds. Empty when the file is
// there, or the folder cannot be listed.
std::vector<std::string> missing_train_file_notes(const Scenario& s, const std::string& path);

}  // namespace sb
