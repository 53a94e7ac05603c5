#include "reader/read_on.h"

#include <algorithm>
#include <utility>

namespace sb {
namespace {

Diagnostic* first_error(std::vector<Diagnostic>& items) {
  const auto it = std::find_if(items.begin(), items.end(),
                               [](const Diagnostic& d) { return d.severity == Severity::kError; });
  return it == items.end() ? nullptr : &*it;
}

// The route plan is left out of the copy (in memory it can be tens of megabytes); the copy
// gets a plan of the same size whose points are dropped.
Scenario copy_without_route(Scenario& s) {
  RouteMatrix route = std::move(s.route_matrix);
  Scenario copy = s;
  s.route_matrix = std::move(route);
  return copy;
}

}  // namespace

ReadOnCopy::ReadOnCopy(Scenario& from, const ReaderState& build)
    : s(copy_without_route(from)), st(build) {
  s.delete_sources = false;
  s.route_matrix.stream_to(&dropped_);
  if (from.route_matrix.exists()) s.route_matrix.allocate(from.route_matrix.upper());
  st.report = nullptr;
  st.reading_on = true;
}

void record_failure(Scenario& s, const ReadFailure& failure) {
  Diagnostic& d = set_error(s, Fault::kUnreadable);
  if (failure.spot()) d.where = *failure.spot();
  d.message = failure.what();
  d.notes = failure.notes();
}

void take_read_on_report(Scenario& s, ReadOnReport& report) {
  if (report.found) {
    Diagnostics found = std::move(*report.found);
    report.found.reset();
    found.where = {};
    found.files = std::move(s.diagnostics.files);  // the build's cell origins refer to these
    Diagnostic* build_first = first_error(s.diagnostics.items);
    Diagnostic* copy_first = first_error(found.items);
    if (build_first != nullptr && copy_first != nullptr) *copy_first = std::move(*build_first);
    s.diagnostics = std::move(found);
  }
  Diagnostic* first = first_error(s.diagnostics.items);
  if (first == nullptr) return;
  first->decides_outputs = true;
  if (s.diagnostics.faults() > 1) {
    first->notes.push_back("the compile stops here; the faults below are found by reading on");
  }
}

}  // namespace sb
