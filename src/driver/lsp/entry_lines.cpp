#include "driver/lsp/entry_lines.h"

#include "reader/text_match.h"

namespace sb {
namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool is_section_line(std::string_view line) {
  const std::string_view t = trim(line);
  return !t.empty() && t.front() == '[';
}

}  // namespace

DocumentPart PartTracker::next(std::string_view line) {
  if (!is_section_line(line)) return part_;
  if (!general_seen_ && contains_ignoring_case(line, "[generale]")) {
    general_seen_ = true;
    part_ = kind_ == SourceKind::kLine ? DocumentPart::kGeneral : DocumentPart::kTrain;
  } else if (general_seen_ && kind_ == SourceKind::kLine) {
    part_ = DocumentPart::kBody;
  }
  return part_;
}

DocumentPart part_at(std::string_view text, std::int64_t n, SourceKind kind) {
  PartTracker parts(kind);
  DocumentPart part = DocumentPart::kNone;
  std::size_t at = 0;
  for (std::int64_t k = 0; k <= n && at <= text.size(); ++k) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    part = parts.next(text.substr(at, end - at));
    at = end + 1;
  }
  return part;
}

const Keyword* keyword_in_part(std::string_view field, DocumentPart part) {
  if (part == DocumentPart::kNone) return nullptr;
  const Pass pass = part == DocumentPart::kGeneral ? Pass::kGeneral
                    : part == DocumentPart::kBody  ? Pass::kBody
                                                   : Pass::kTrain;
  for (const Keyword& k : kKeywords) {
    if (k.pass == pass && matches_keyword(k, field)) return &k;
  }
  return nullptr;
}

EntryLine entry_line(std::string_view line, DocumentPart part) {
  EntryLine entry;
  for (std::size_t start = 0;;) {
    std::size_t end = line.find(',', start);
    if (end == std::string_view::npos) end = line.size();
    LineField f{start, end};
    while (f.start < f.end && (line[f.start] == ' ' || line[f.start] == '\t')) ++f.start;
    while (f.end > f.start && (line[f.end - 1] == ' ' || line[f.end - 1] == '\t')) --f.end;
    entry.fields.push_back(f);
    if (end == line.size()) break;
    start = end + 1;
  }
  const LineField& first = entry.fields.front();
  if (first.end > first.start) {
    entry.keyword = keyword_in_part(line.substr(first.start, first.end - first.start), part);
  }
  return entry;
}

std::size_t field_index_at(const EntryLine& entry, std::string_view line, std::size_t column) {
  std::size_t index = 0;
  for (std::size_t i = 0; i < column && i < line.size(); ++i) {
    if (line[i] == ',') ++index;
  }
  return index < entry.fields.size() ? index : entry.fields.size() - 1;
}

}  // namespace sb
