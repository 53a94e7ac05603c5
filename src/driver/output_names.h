// The files a run is about to write, looked at before it reads or writes any of them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/scenario.h"

namespace sb {

// The five text files that the built-in run and `sources` write into the source folder.
std::vector<std::string> source_file_paths(const Scenario& s);

// The compiled files of `s` in the output folder: the route matrix file (with the route plan
// only), the station file and the track file.
std::vector<std::string> compiled_file_paths(const Scenario& s, bool geometry);

// Throws PlatformError for the first of `paths` that a new file may not replace (a device, a
// FIFO, a socket: see check_replaceable), with `note` added when it is not empty. A folder is
// left to the writing of its file, which refuses it in turn.
void check_replaceable_all(const std::vector<std::string>& paths, const std::string& note = "");

// Two compiled files of `s` that would be one file where file names are compared without case
// (as on Windows, where the files go), said in a sentence that names both; or nothing.
std::optional<std::string> colliding_compiled_files(const Scenario& s);

}  // namespace sb
