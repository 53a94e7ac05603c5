// The text form of a dump: a header line of column names, then one line per row, the columns
// aligned (numbers to the right, words and names to the left). The last column is not padded.
#include <algorithm>

#include "viewer/author_values.h"
#include "viewer/dump_table.h"
#include "viewer/text_escape.h"

namespace sb {
namespace {

std::string cell_text(const DumpValue& v) {
  switch (v.type) {
    case DumpValue::Type::kNone:
      return "-";
    case DumpValue::Type::kInteger:
      return std::to_string(v.integer);
    case DumpValue::Type::kSigned:
      return signed_text(v.integer);
    case DumpValue::Type::kReal:
      return text_real(v.real);
    case DumpValue::Type::kName:
      return quoted_name(v.text);
    case DumpValue::Type::kWord:
      return v.text;
    case DumpValue::Type::kDescription:
      return description_text(v.description, quoted_name);
  }
  return "";
}

bool right_aligned(const DumpValue& v) {
  return v.type == DumpValue::Type::kInteger || v.type == DumpValue::Type::kSigned ||
         v.type == DumpValue::Type::kReal || v.type == DumpValue::Type::kNone;
}

void put(std::ostream& out, const std::string& text, std::size_t width, bool right, bool last) {
  const std::size_t pad = width > text.size() ? width - text.size() : 0;
  if (right) out << std::string(pad, ' ');
  out << text;
  if (!right && !last) out << std::string(pad, ' ');
}

}  // namespace

void print_dump_text(const DumpTable& table, std::ostream& out) {
  const std::size_t n = table.columns.size();
  std::vector<std::size_t> width(n);
  // Header names align like the values below them; a column of numbers is right-aligned.
  std::vector<bool> right(n, false);
  for (std::size_t c = 0; c < n; ++c) width[c] = table.columns[c].size();

  std::vector<DumpValue> row;
  for (std::size_t i = 0; i < table.row_count; ++i) {
    table.fill_row(i, row);
    for (std::size_t c = 0; c < n && c < row.size(); ++c) {
      width[c] = std::max(width[c], cell_text(row[c]).size());
      if (i == 0) right[c] = right_aligned(row[c]);
    }
  }

  for (std::size_t c = 0; c < n; ++c) {
    if (c > 0) out << "  ";
    put(out, std::string(table.columns[c]), width[c], right[c], c + 1 == n);
  }
  out << '\n';
  for (std::size_t i = 0; i < table.row_count; ++i) {
    table.fill_row(i, row);
    for (std::size_t c = 0; c < n && c < row.size(); ++c) {
      if (c > 0) out << "  ";
      put(out, cell_text(row[c]), width[c], right_aligned(row[c]), c + 1 == n);
    }
    out << '\n';
  }
}

}  // namespace sb
