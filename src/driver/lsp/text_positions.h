// An editor's text and the file it stands for. The editor hands over Unicode (UTF-8 in the
// messages) and counts columns in UTF-16 code units; the reader reads the file's bytes in the
// simulator's code page, Windows-1252, and counts columns in bytes. These convert between the
// two, line by line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// A place in an editor's text: line and character, both from 0, the character in UTF-16 code
// units.
struct TextPosition {
  std::int64_t line = 0;
  std::int64_t character = 0;
};

// Line `n` (from 0) of a text, without its line break ("\n" or "\r\n"); empty past the end.
std::string_view line_of(std::string_view text, std::int64_t n);

// The lines of a text, found once, for looking up many of them.
class LineIndex {
 public:
  explicit LineIndex(std::string_view text);
  // As line_of(text, n).
  std::string_view line(std::int64_t n) const;

 private:
  std::string_view text_;
  std::vector<std::size_t> starts_;
};

// The byte offset in a UTF-8 text of a position. A character past the end of its line stands
// at the line's end, a line past the end of the text at the text's end, and a position inside
// a character at that character's start.
std::size_t utf8_offset(std::string_view text, TextPosition p);

// The position of a byte offset of a UTF-8 text.
TextPosition position_of(std::string_view text, std::size_t offset);

// The file's bytes for an editor's text: each character as its Windows-1252 byte; a line with a
// character the code page cannot hold stays in UTF-8, as the file would hold it saved in UTF-8,
// so that the reader warns of a name that holds it. Bytes that are not UTF-8 stay as they are.
std::string to_file_text(std::string_view utf8);

// The editor's text of a file's bytes: each Windows-1252 byte as its character in UTF-8.
std::string from_file_text(std::string_view bytes);

// Within one line of an editor's text: the UTF-16 column of a byte column of the file's text
// (both from 0; past the end: the line's end), and the other way round.
std::int64_t utf16_column(std::string_view utf8_line, std::int64_t file_bytes);
std::int64_t file_column(std::string_view utf8_line, std::int64_t utf16_units);

}  // namespace sb
