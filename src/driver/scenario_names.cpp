#include "driver/scenario_names.h"

#include "model/code_page.h"
#include "model/file_names.h"
#include "platform/printable_text.h"

namespace sb {

std::optional<std::string> name_problem(const std::string& name, const char* what) {
  if (const auto problem = file_name_part_problem(name)) {
    return std::string(what) + " name " + echoed(name) + " cannot be used: " + *problem +
           "; the name becomes part of file names, and folders are given with --dir, --out "
           "or -o";
  }
  const SingleByteText text = to_single_byte(name);
  if (text.unmappable) {
    return std::string(what) + " name " + echoed(name) + " holds the character " +
           code_point_name(*text.unmappable) +
           ", which the simulator's code page (Windows-1252) cannot store; choose a name "
           "without it";
  }
  return std::nullopt;
}

}  // namespace sb
