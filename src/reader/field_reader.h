// The field-stream reader of the scenario text files.
//
// A file is one stream of fields. A field ends at a comma or a line end (CR LF, or a lone LF
// or CR); the delimiter is consumed with the field, and blanks (spaces) in front of a field
// are skipped. A text field keeps every character up to its delimiter. A number field is an
// optional sign and decimal digits that fit a signed 32-bit integer; it also ends at a blank,
// after which the blanks and then one delimiter, if one follows, are consumed, so
// "    0    ,0" is two numbers and "12   9   50 " three.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/fault.h"

namespace sb {

class FieldReader {
 public:
  // Reads `text`; `where`, when given, follows the line of every field handed out.
  explicit FieldReader(std::string text, SourceLocation* where = nullptr);

  // True when nothing at all remains in the file.
  bool at_end() const { return pos_ >= text_.size(); }

  // Reads a text field. Throws ReadFailure at the end of the file.
  std::string read_text();
  // The same, as a view into the file's text, valid as long as the reader: the passes test
  // most fields without keeping them.
  std::string_view read_field();
  // Reads a number field. Throws ReadFailure at the end of the file, or when the field is not
  // a number or does not fit 32 bits.
  std::int32_t read_number();

  // Line (from 1) on which the last field handed out begins.
  int line() const { return field_line_; }

 private:
  void begin_field();
  void consume_delimiter();

  std::string text_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int field_line_ = 0;
  SourceLocation* where_;
};

}  // namespace sb
