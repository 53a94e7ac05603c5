#include "model/scenario.h"

#include "model/code_page.h"

namespace sb {
namespace {

std::string stored_form(const std::string& name) {
  SingleByteText text = to_single_byte(name);
  return text.unmappable ? name : std::move(text.bytes);
}

}  // namespace

void set_names(Scenario& s, std::string scenario, std::string line) {
  s.stored_scenario_name = stored_form(scenario);
  s.stored_line_name = stored_form(line);
  s.scenario_name = std::move(scenario);
  s.line_name = std::move(line);
}

void set_error(Scenario& s, std::int32_t code) {
  s.error_code = code;
  s.fault_log.faults.push_back(
      Fault{code, std::nullopt, s.fault_log.where.file, s.fault_log.where.line, {}});
}

void set_error_position(Scenario& s, std::int32_t position) {
  s.error_position = position;
  auto& faults = s.fault_log.faults;
  if (!faults.empty() && !faults.back().position) faults.back().position = position;
}

void set_error(Scenario& s, std::int32_t code, std::int32_t position) {
  set_error(s, code);
  set_error_position(s, position);
}

}  // namespace sb
