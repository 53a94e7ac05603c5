#include "model/diagnostic.h"

#include <algorithm>

namespace sb {
namespace {

// The longest source line kept for showing; a longer one is cut around its field.
constexpr std::size_t kShownLine = 160;

}  // namespace

Diagnostic& Diagnostics::add(Diagnostic d) {
  if (d.severity == Severity::kError) {
    ++faults_found_;
    if (limits.errors != 0 && faults_kept_ >= limits.errors) {
      dropped_fault_ = std::move(d);
      last_fault_ = kDropped;
      return dropped_fault_;
    }
    ++faults_kept_;
    last_fault_ = items.size();
    items.push_back(std::move(d));
    return items.back();
  }
  ++warnings_found_;
  auto file = std::find_if(by_file_.begin(), by_file_.end(),
                           [&](const FileWarnings& f) { return f.file == d.where.file; });
  if (file == by_file_.end())
    file = by_file_.insert(by_file_.end(), FileWarnings{d.where.file, 0, 0});
  ++file->found;
  if (!limits.keep_warnings ||
      (limits.warnings_per_file != 0 && file->kept >= limits.warnings_per_file)) {
    dropped_warning_ = std::move(d);
    return dropped_warning_;
  }
  ++file->kept;
  items.push_back(std::move(d));
  return items.back();
}

Diagnostic* Diagnostics::last_fault() {
  if (last_fault_ == kDropped) return &dropped_fault_;
  return last_fault_ < items.size() ? &items[last_fault_] : nullptr;
}

const Diagnostic* Diagnostics::last_fault() const {
  return const_cast<Diagnostics*>(this)->last_fault();
}

SourceSpot spot_of(const ReadPosition& at, const FieldSpan& span) {
  SourceSpot spot;
  spot.file = at.file;
  if (span.line <= 0 || span.line_start > at.text.size()) return spot;
  spot.line = span.line;
  const std::string_view rest = at.text.substr(span.line_start);
  const std::string_view line = rest.substr(0, rest.find_first_of("\r\n"));
  const std::size_t start = std::min(span.start - span.line_start, line.size());
  const std::size_t end = std::clamp(span.end - span.line_start, start, line.size());
  spot.column = static_cast<std::int64_t>(start) + 1;
  spot.width = static_cast<std::int64_t>(end - start);
  // A long line is kept as a window that starts a little before the field.
  const std::size_t from = line.size() > kShownLine && start > kShownLine / 4
                               ? std::min(start - kShownLine / 4, line.size() - kShownLine)
                               : 0;
  spot.text = std::string(line.substr(from, kShownLine));
  spot.text_column = static_cast<std::int64_t>(from) + 1;
  return spot;
}

SourceSpot current_spot(const ReadPosition& at) {
  if (at.file.empty()) return {};
  if (at.in_entry) return spot_of(at, at.entry);
  if (at.field.line > 0) return spot_of(at, at.field);
  SourceSpot spot;
  spot.file = at.file;
  return spot;
}

SourceSpot value_spot(const ReadPosition& at, int value) {
  if (at.file.empty() || !at.in_entry || value < 1 || value > at.values_read ||
      value > kMaxEntryValues) {
    return current_spot(at);
  }
  return spot_of(at, at.value_fields[static_cast<std::size_t>(value - 1)]);
}

}  // namespace sb
