// The entries of an editor's text as the language features see them: a line's fields, the
// keyword row its first field stands for in the part of the file it is in, and the part of the
// file a line belongs to. A simpler view than the reader's (an entry is taken to stand on one
// line), good for pointing at things; the diagnostics come from the reader itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "driver/lsp/source_files.h"
#include "reader/keywords.h"

namespace sb {

// The part of a file a line belongs to.
enum class DocumentPart {
  kNone,     // before "[generale]": nothing is read there
  kGeneral,  // the line file's general section
  kBody,     // the rest of the line file
  kTrain,    // the train file after "[generale]"
};

// Follows a file line by line: the part of the file each line belongs to.
class PartTracker {
 public:
  explicit PartTracker(SourceKind kind) : kind_(kind) {}
  // The part of `line`, the next line of the file.
  DocumentPart next(std::string_view line);

 private:
  SourceKind kind_;
  DocumentPart part_ = DocumentPart::kNone;
  bool general_seen_ = false;
};

// The part of the file that line `n` (from 0) of `text` belongs to.
DocumentPart part_at(std::string_view text, std::int64_t n, SourceKind kind);

// The keyword row that `field` stands for in that part of the file, as the reader tests the
// rows: in the table's order, the first that takes it. nullptr for none.
const Keyword* keyword_in_part(std::string_view field, DocumentPart part);

// One field of a line: byte offsets into the line, blanks around it left out.
struct LineField {
  std::size_t start = 0;
  std::size_t end = 0;
};

struct EntryLine {
  std::vector<LineField> fields;     // split at the commas
  const Keyword* keyword = nullptr;  // the first field's row, or nullptr
};

EntryLine entry_line(std::string_view line, DocumentPart part);

// Walks `text` line by line: visit(n, line, entry) for line n (from 0, its "\r" left out), with
// the entry the line holds in its part of the file. The walk stops when visit returns true.
template <class Visit>
void for_each_entry_line(std::string_view text, SourceKind kind, Visit visit) {
  PartTracker parts(kind);
  std::int64_t n = 0;
  for (std::size_t start = 0; start < text.size(); ++n) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    start = end + 1;
    if (visit(n, line, entry_line(line, parts.next(line)))) return;
  }
}

// The field of the line that byte `column` falls in (at a comma: the field after it).
std::size_t field_index_at(const EntryLine& entry, std::string_view line, std::size_t column);

}  // namespace sb
