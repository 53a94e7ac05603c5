#include "driver/scenario_names.h"

#include "model/code_page.h"

namespace sb {

std::optional<std::string> name_problem(const std::string& name, const char* what) {
  const SingleByteText text = to_single_byte(name);
  if (text.unmappable) {
    return std::string(what) + " name '" + name + "' holds the character " +
           code_point_name(*text.unmappable) +
           ", which the simulator's code page (Windows-1252) cannot store; choose a name "
           "without it";
  }
  return std::nullopt;
}

}  // namespace sb
