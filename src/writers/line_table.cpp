#include "writers/line_table.h"

#include <stdexcept>

#include "platform/files.h"

namespace sb {

LineTable::LineTable(std::span<const std::string_view> lines) {
  if (lines.size() >= kLineTableSlots) throw std::length_error("line table holds 1000 lines");
  std::size_t slot = 0;
  for (const std::string_view line : lines) {
    // The end marker closes the table: a content line equal to it would end the file early
    // and drop every line after it without a word.
    if (line == kEndMarker) {
      throw std::invalid_argument("a line equal to the end marker cannot be written");
    }
    slots_[slot++] = line;
  }
  slots_[slot] = kEndMarker;
}

std::string LineTable::text() const {
  std::string bytes;
  for (const std::string_view line : slots_) {
    if (line == kEndMarker) break;
    bytes.append(line);
    bytes.append("\r\n");
  }
  return bytes;
}

void write_text_file(const std::string& path, std::span<const std::string_view> lines) {
  write_file(path, LineTable(lines).text());
}

}  // namespace sb
