// The field-stream reader of the scenario text files.
//
// A file is one stream of fields. A field ends at a comma or a line end (CR LF, or a lone LF
// or CR); the delimiter is consumed with the field, and blanks (spaces) in front of a field
// are skipped. A text field keeps every character up to its delimiter. A number field is an
// optional sign and decimal digits that fit a signed 32-bit integer; it also ends at a blank,
// after which the blanks and then one delimiter, if one follows, are consumed, so
// "    0    ,0" is two numbers and "12   9   50 " three.
//
// The reader keeps, in a ReadPosition, where it stands: the line and extent of the field just
// read and, while an entry's values are read, of the entry's keyword field, so that a fault
// can point at either.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/diagnostic.h"

namespace sb {

class FieldReader {
 public:
  // Reads `text`; `where`, when given, follows every field handed out (its `text` is set to
  // this reader's text).
  explicit FieldReader(std::string text, ReadPosition* where = nullptr);
  // A reader that goes on from where `from` stands, over the same text, following `where`
  // (which holds what `from`'s position held). `from` keeps the text and must outlive it.
  FieldReader(const FieldReader& from, ReadPosition* where);
  FieldReader(const FieldReader&) = delete;
  FieldReader& operator=(const FieldReader&) = delete;

  // True when nothing at all remains in the file.
  bool at_end() const { return pos_ >= text_.size(); }

  // Reads a text field, as a view into the file's text, valid as long as the reader: the
  // passes test most fields without keeping them. Throws ReadFailure at the end of the file.
  std::string_view read_field();
  // Reads a number field. Throws ReadFailure at the end of the file, or when the field is not
  // a number or does not fit 32 bits.
  std::int32_t read_number();

  // Reads a field to be tested as a keyword; it ends the entry read before it.
  std::string_view read_keyword();
  // The keyword field read last starts an entry that reads `values` values, written `keyword`
  // by the author; a failure while they are read says so.
  void begin_entry(std::string_view keyword, int values);
  void end_entry();
  // After a failure, goes on at the start of the line after the entry's keyword field (or,
  // outside an entry, after the field read last): values that ran on into later lines are
  // read again as the entries they are.
  void resume_after_failure();
  // Passes over what is left of the line of the field read last, if anything.
  void skip_rest_of_line();

  // Line (from 1) on which the last field handed out begins.
  std::int64_t line() const { return where_->field.line; }
  const ReadPosition& position() const { return *where_; }

 private:
  void begin_field();
  void end_field(std::size_t end);
  void consume_delimiter();
  // Fails on the value field `token`, which `what` describes.
  [[noreturn]] void fail_value(const std::string& what, std::string_view token);

  std::string own_text_;
  std::string_view text_;
  std::size_t pos_ = 0;
  std::int64_t line_ = 1;
  std::size_t line_start_ = 0;
  FieldSpan keyword_;
  ReadPosition own_;
  ReadPosition* where_;
};

}  // namespace sb
