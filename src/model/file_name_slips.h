// The slips an author makes in the names of the scenario's files: a file saved with the name
// in another case, without its "-" or with blanks, and a file's name typed where the program
// takes the scenario's or the line's name.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// How a file's name differs from the name looked for.
struct NearName {
  std::string leaf;  // the file's name in the folder
  bool in_case = false, in_dashes = false, in_blanks = false;
};

// The names among `leaves` that differ from `looked_for` only in the case of ASCII letters,
// in "-" and in blanks (the file itself excluded), in the order of `leaves`.
std::vector<NearName> near_names(std::string_view looked_for,
                                 const std::vector<std::string>& leaves);

// The SCENARIO and LINE names an author meant who typed a file's name for either
// ("Monte_linea.txt", "Monte_L1-.txt", "L1-.txt", "Monte.txt", any case of the ending);
// nothing when neither is a file's name.
struct ScenarioNames {
  std::string scenario, line;
};
std::optional<ScenarioNames> names_from_file_names(std::string_view scenario,
                                                   std::string_view line);

}  // namespace sb
