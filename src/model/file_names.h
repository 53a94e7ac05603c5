// The names of the scenario's files, built from the scenario name and the line name.
#pragma once

#include <string>

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

// The bare file names, without a folder.
std::string line_file_leaf(const std::string& scenario);
std::string train_file_leaf(const std::string& scenario, const std::string& line);
std::string route_matrix_file_leaf(const std::string& scenario);
std::string station_file_leaf(const std::string& scenario, const std::string& line);
std::string track_file_leaf(const std::string& scenario, const std::string& line);

}  // namespace sb
