// The JSON form of a dump, for scripts: one object with the file, its type and the rows, each
// row an object keyed by the column names, one row per line.
#include "viewer/dump_table.h"
#include "viewer/text_escape.h"

namespace sb {
namespace {

std::string json_value(const DumpValue& v) {
  switch (v.type) {
    case DumpValue::Type::kNone:
      return "null";
    case DumpValue::Type::kInteger:
    case DumpValue::Type::kSigned:
      return std::to_string(v.integer);
    case DumpValue::Type::kReal:
      return json_real(v.real);
    case DumpValue::Type::kName:
    case DumpValue::Type::kWord:
      return json_string(v.text);
    case DumpValue::Type::kDescription:
      // The name in plain quotes inside the string; json_string escapes its bytes.
      return json_string(description_text(
          v.description, [](const std::string& name) { return "\"" + name + "\""; }));
  }
  return "null";
}

}  // namespace

void print_dump_json(const DumpTable& table, std::string_view file, std::ostream& out) {
  out << "{\"file\": " << json_string(file) << ", \"type\": " << json_string(table.type)
      << ", \"rows\": [";
  std::vector<DumpValue> row;
  for (std::size_t i = 0; i < table.row_count; ++i) {
    table.fill_row(i, row);
    out << (i == 0 ? "\n{" : ",\n{");
    for (std::size_t c = 0; c < table.columns.size() && c < row.size(); ++c) {
      if (c > 0) out << ", ";
      out << json_string(table.columns[c]) << ": " << json_value(row[c]);
    }
    out << '}';
  }
  out << "\n]}\n";
}

}  // namespace sb
