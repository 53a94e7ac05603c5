#include "reader/pass_skeleton.h"

#include "model/quoting.h"

namespace sb {

GeneralSearch find_general_section(Scenario& s, FieldReader& in, bool last_field_counts) {
  GeneralSearch search;
  while (!in.at_end()) {
    const std::string_view field = in.read_keyword();
    if (!last_field_counts && in.at_end()) break;
    if (contains_ignoring_case(field, "[generale]")) {
      search.found = true;
      return search;
    }
    if (search.near.empty() && looks_like(field, "[generale]")) {
      search.near = "line " + std::to_string(in.line()) + " holds " + quoted(field) +
                    "; did you mean \"[generale]\"?";
    }
  }
  s.diagnostics.where.field = {};
  return search;
}

}  // namespace sb
