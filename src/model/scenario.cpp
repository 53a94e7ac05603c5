#include "model/scenario.h"

namespace sb {

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
