#include "driver/lsp/text_positions.h"

#include "model/code_page.h"
#include "platform/utf8.h"

namespace sb {
namespace {

// One character of an editor's text: its UTF-8 length, how many bytes the file holds for it
// and how many UTF-16 units the editor counts. A byte that is not UTF-8 counts as one of each.
struct Character {
  std::size_t utf8 = 1;
  std::int64_t file = 1;
  std::int64_t utf16 = 1;
};

// `single_byte`: the line is converted to the code page (else it stays UTF-8).
Character character_at(std::string_view text, std::size_t i, bool single_byte) {
  char32_t c = 0;
  const std::size_t n = utf8_character(text, i, c);
  if (n <= 1) return {};
  return {n, single_byte ? 1 : static_cast<std::int64_t>(n), c >= 0x10000 ? 2 : 1};
}

// True when the code page holds every character of the line.
bool fits_code_page(std::string_view line) {
  for (std::size_t i = 0; i < line.size();) {
    char32_t c = 0;
    const std::size_t n = utf8_character(line, i, c);
    if (n == 0) {
      ++i;
      continue;
    }
    if (!windows1252_byte(c)) return false;
    i += n;
  }
  return true;
}

std::size_t line_start(std::string_view text, std::int64_t n) {
  std::size_t at = 0;
  for (std::int64_t k = 0; k < n; ++k) {
    const std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) return text.size();
    at = end + 1;
  }
  return at;
}

}  // namespace

std::string_view line_of(std::string_view text, std::int64_t n) {
  const std::size_t start = line_start(text, n);
  std::size_t end = text.find('\n', start);
  if (end == std::string_view::npos) end = text.size();
  if (end > start && text[end - 1] == '\r') --end;
  return text.substr(start, end - start);
}

LineIndex::LineIndex(std::string_view text) : text_(text) {
  starts_.push_back(0);
  for (std::size_t at = text.find('\n'); at != std::string_view::npos;
       at = text.find('\n', at + 1)) {
    starts_.push_back(at + 1);
  }
}

std::string_view LineIndex::line(std::int64_t n) const {
  if (n < 0) n = 0;
  if (static_cast<std::size_t>(n) >= starts_.size()) return {};
  const std::size_t start = starts_[static_cast<std::size_t>(n)];
  std::size_t end = static_cast<std::size_t>(n) + 1 < starts_.size()
                        ? starts_[static_cast<std::size_t>(n) + 1] - 1
                        : text_.size();
  if (end > start && text_[end - 1] == '\r') --end;
  return text_.substr(start, end - start);
}

std::size_t utf8_offset(std::string_view text, TextPosition p) {
  if (p.line < 0) return 0;
  const std::size_t start = line_start(text, p.line);
  const std::string_view line = line_of(text, p.line);
  std::size_t i = 0;
  for (std::int64_t units = 0; i < line.size();) {
    const Character c = character_at(line, i, true);
    if (units + c.utf16 > p.character) break;
    units += c.utf16;
    i += c.utf8;
  }
  return start + i;
}

TextPosition position_of(std::string_view text, std::size_t offset) {
  TextPosition p;
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string_view::npos && end < offset;
       end = text.find('\n', start)) {
    ++p.line;
    start = end + 1;
  }
  for (std::size_t i = start; i < offset && i < text.size();) {
    const Character c = character_at(text, i, true);
    p.character += c.utf16;
    i += c.utf8;
  }
  return p;
}

std::string to_file_text(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  for (std::size_t start = 0; start < utf8.size();) {
    std::size_t end = utf8.find('\n', start);
    end = end == std::string_view::npos ? utf8.size() : end + 1;
    const std::string_view line = utf8.substr(start, end - start);
    start = end;
    if (!fits_code_page(line)) {
      bytes.append(line);
      continue;
    }
    for (std::size_t i = 0; i < line.size();) {
      char32_t c = 0;
      const std::size_t n = utf8_character(line, i, c);
      if (n == 0) {
        bytes += line[i++];
        continue;
      }
      bytes += *windows1252_byte(c);
      i += n;
    }
  }
  return bytes;
}

std::string from_file_text(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (const char b : bytes) {
    // The five bytes the code page leaves undefined stand for the control characters of the
    // same number, so that every byte has a character and comes back the same.
    const char32_t c = windows1252_character(b);
    append_utf8(text, c != 0 || b == 0 ? c : static_cast<unsigned char>(b));
  }
  return text;
}

std::int64_t utf16_column(std::string_view utf8_line, std::int64_t file_bytes) {
  std::int64_t bytes = 0, units = 0;
  const bool single_byte = fits_code_page(utf8_line);
  for (std::size_t i = 0; i < utf8_line.size() && bytes < file_bytes;) {
    const Character c = character_at(utf8_line, i, single_byte);
    bytes += c.file;
    units += c.utf16;
    i += c.utf8;
  }
  return units;
}

std::int64_t file_column(std::string_view utf8_line, std::int64_t utf16_units) {
  std::int64_t bytes = 0, units = 0;
  const bool single_byte = fits_code_page(utf8_line);
  for (std::size_t i = 0; i < utf8_line.size() && units < utf16_units;) {
    const Character c = character_at(utf8_line, i, single_byte);
    bytes += c.file;
    units += c.utf16;
    i += c.utf8;
  }
  return bytes;
}

}  // namespace sb
