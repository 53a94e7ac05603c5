#include "model/scenario.h"

#include "model/code_page.h"

namespace sb {
namespace {

std::string stored_form(const std::string& name) {
  SingleByteText text = to_single_byte(name);
  return text.unmappable ? name : std::move(text.bytes);
}

// The index + 1 of `file` in the list of files that origins refer to.
std::uint32_t file_number(Diagnostics& d, const std::string& file) {
  for (std::size_t k = 0; k < d.files.size(); ++k) {
    if (d.files[k] == file) return static_cast<std::uint32_t>(k + 1);
  }
  d.files.push_back(file);
  return static_cast<std::uint32_t>(d.files.size());
}

}  // namespace

void set_names(Scenario& s, std::string scenario, std::string line) {
  s.stored_scenario_name = stored_form(scenario);
  s.stored_line_name = stored_form(line);
  s.scenario_name = std::move(scenario);
  s.line_name = std::move(line);
}

Diagnostic& set_error(Scenario& s, Fault fault) {
  s.error_code = fault_number(fault);
  Diagnostic d;
  d.code = fault_number(fault);
  d.where = current_spot(s.diagnostics.where);
  return s.diagnostics.add(std::move(d));
}

void set_error_position(Scenario& s, std::int32_t position) {
  s.error_position = position;
  Diagnostic* last = s.diagnostics.last_fault();
  if (last != nullptr && !last->position) last->position = position;
}

Diagnostic& set_error(Scenario& s, Fault fault, std::int32_t position) {
  set_error(s, fault);
  set_error_position(s, position);
  return *s.diagnostics.last_fault();
}

Diagnostic& warn(Scenario& s, Warning w, std::string message) {
  return warn(s, w, std::move(message), current_spot(s.diagnostics.where));
}

Diagnostic& warn(Scenario& s, Warning w, std::string message, SourceSpot spot) {
  Diagnostic d;
  d.severity = Severity::kWarning;
  d.warning = w;
  d.message = std::move(message);
  d.where = std::move(spot);
  return s.diagnostics.add(std::move(d));
}

std::size_t blocking_diagnostics(const Scenario& s) {
  const Diagnostics& d = s.diagnostics;
  return d.faults() + (s.warnings_are_faults ? d.warnings() : 0);
}

void record_origin(Scenario& s, std::int64_t n, const char* what, std::int32_t position) {
  if (!s.has_cell(n)) return;
  const ReadPosition& at = s.diagnostics.where;
  CellOrigin& o = s.cell_origin[n];
  o.file = at.file.empty() ? 0 : file_number(s.diagnostics, at.file);
  o.line = at.in_entry ? at.entry.line : at.field.line;
  o.position = position;
  o.what = what;
}

const CellOrigin* origin_record(const Scenario& s, std::int64_t n) {
  const auto it = s.cell_origin.find(n);
  return it == s.cell_origin.end() ? nullptr : &it->second;
}

SourceSpot origin_spot(const Scenario& s, std::int64_t n) {
  SourceSpot spot;
  const CellOrigin* found = origin_record(s, n);
  if (found == nullptr) return spot;
  const CellOrigin& o = *found;
  if (o.file == 0 || o.file > s.diagnostics.files.size()) return spot;
  spot.file = s.diagnostics.files[o.file - 1];
  spot.line = o.line;
  return spot;
}

std::string origin_of(const Scenario& s, std::int64_t n) {
  const CellOrigin* found = origin_record(s, n);
  if (found == nullptr || found->what[0] == '\0') return "an object";
  const CellOrigin& o = *found;
  std::string text = std::string(o.what) + " at " + std::to_string(o.position) + " m";
  if (o.file > 0 && o.file <= s.diagnostics.files.size()) {
    text += " placed at " + s.diagnostics.files[o.file - 1];
    if (o.line > 0) text += ":" + std::to_string(o.line);
  }
  return text;
}

}  // namespace sb
