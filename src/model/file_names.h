// The names of the scenario's files, built from the scenario name and the line name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/scenario.h"

namespace sb {

// Text files, in the source folder.
std::string line_file_name(const Scenario& s);        // scenario "_linea.txt"
std::string train_file_name(const Scenario& s);       // scenario "_" line "-.txt"
std::string train_card_name(const Scenario& s);       // scenario "_" line "_scheda_treno.txt"
std::string notes_file_name(const Scenario& s);       // scenario "_" line "_note.txt"
std::string slow_order_file_name(const Scenario& s);  // scenario "_" line "_rallentamenti.txt"

// Binary files, in the output folder.
std::string route_matrix_file_name(const Scenario& s);  // scenario "_linea.dat"
std::string station_file_name(const Scenario& s);       // scenario "_" line ".sim"
std::string track_file_name(const Scenario& s);         // scenario "_" line ".dat"

// Why `name` cannot be a scenario or line name as part of a file name, or nothing when it
// can. The names become parts of file names and never choose a folder: a name may not be
// empty, "." or "..", nor hold "/" or "\\" (which separate folders), a character that Windows
// does not allow in file names (: * ? " < > |) or a control character (bytes 0 to 31 and 127).
std::optional<std::string> file_name_part_problem(std::string_view name);

// The bare file names, without a folder.
std::string line_file_leaf(const std::string& scenario);
std::string train_file_leaf(const std::string& scenario, const std::string& line);
std::string route_matrix_file_leaf(const std::string& scenario);
std::string station_file_leaf(const std::string& scenario, const std::string& line);
std::string track_file_leaf(const std::string& scenario, const std::string& line);

}  // namespace sb
