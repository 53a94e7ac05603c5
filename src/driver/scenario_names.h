// The rules for the SCENARIO and LINE names given on the command line.
#pragma once

#include <optional>
#include <string>

namespace sb {

// Why `name` cannot be used as the `what` name ("SCENARIO" or "LINE"), or nothing when it
// can. The name is part of file names and never chooses a folder (file_name_part_problem);
// a name given as UTF-8 must hold only characters of the simulator's single-byte code
// page, in which the compiled files store it.
std::optional<std::string> name_problem(const std::string& name, const char* what);

}  // namespace sb
