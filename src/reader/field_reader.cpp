#include "reader/field_reader.h"

#include <limits>

#include "model/quoting.h"
#include "reader/read_failure.h"

namespace sb {
namespace {

bool is_line_end(char c) {
  return c == '\r' || c == '\n';
}
bool is_delimiter(char c) {
  return c == ',' || is_line_end(c);
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// What the keyword field holds besides its keyword: a number right after it means a missing
// comma; other words mean a line that was not meant as an entry.
std::string keyword_field_note(std::string_view field, std::string_view keyword) {
  bool digits = false;
  for (const char c : field) digits = digits || is_digit(c);
  if (digits && field.size() > keyword.size()) {
    return quoted(field) + " is read as one field: put a comma after \"" + std::string(keyword) +
           "\"";
  }
  return "the field " + quoted(field) + " is read as the keyword \"" + std::string(keyword) +
         "\" (the files have no comments: a line that holds a keyword is an entry)";
}

}  // namespace

FieldReader::FieldReader(std::string text, ReadPosition* where)
    : own_text_(std::move(text)), text_(own_text_), where_(where != nullptr ? where : &own_) {
  where_->text = text_;
  where_->field = {};
  where_->entry = {};
  where_->in_entry = false;
}

FieldReader::FieldReader(const FieldReader& from, ReadPosition* where)
    : text_(from.text_),
      pos_(from.pos_),
      line_(from.line_),
      line_start_(from.line_start_),
      keyword_(from.keyword_),
      where_(where != nullptr ? where : &own_) {
  where_->text = text_;
}

void FieldReader::begin_field() {
  if (at_end()) {
    const ReadPosition& at = *where_;
    if (at.in_entry) {
      throw ReadFailure("\"" + std::string(at.keyword) + "\" expects " + std::to_string(at.values) +
                        " values; the file ends after " + std::to_string(at.values_read));
    }
    throw ReadFailure("the file ends in the middle of an entry", ReadFailure::At::kField);
  }
  while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  FieldSpan& f = where_->field;
  f.line = line_;
  f.line_start = line_start_;
  f.start = pos_;
  f.end = pos_;
  if (where_->in_entry) {
    ++where_->values_read;
    if (line_ == where_->entry.line) ++where_->values_on_entry_line;
  }
}

void FieldReader::end_field(std::size_t end) {
  where_->field.end = end;
}

void FieldReader::consume_delimiter() {
  if (pos_ >= text_.size()) return;
  const char c = text_[pos_];
  if (c == ',') {
    ++pos_;
    return;
  }
  if (c == '\r') {
    ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  } else if (c == '\n') {
    ++pos_;
  } else {
    return;
  }
  ++line_;
  line_start_ = pos_;
}

std::string_view FieldReader::read_field() {
  begin_field();
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !is_delimiter(text_[pos_])) ++pos_;
  end_field(pos_);
  const std::string_view field(text_.data() + start, pos_ - start);
  consume_delimiter();
  return field;
}

void FieldReader::fail_value(const std::string& what) {
  const ReadPosition& at = *where_;
  if (at.in_entry && at.field.line > at.entry.line) {
    // The entry's values ran into the next line: a value too few, or a missing comma.
    const std::string_view field =
        std::string_view(text_).substr(at.entry.start, at.entry.end - at.entry.start);
    std::vector<std::string> notes;
    if (at.values_on_entry_line == 0 || field.size() > at.keyword.size()) {
      notes.push_back(keyword_field_note(field, at.keyword));
    }
    notes.push_back("the values ran on into line " + std::to_string(at.field.line) + ", where " +
                    what);
    throw ReadFailure("\"" + std::string(at.keyword) + "\" expects " + std::to_string(at.values) +
                          " values; line " + std::to_string(at.entry.line) + " holds " +
                          std::to_string(at.values_on_entry_line),
                      ReadFailure::At::kEntry, std::move(notes));
  }
  std::string message = what;
  if (at.in_entry) {
    message +=
        " (value " + std::to_string(at.values_read) + " of \"" + std::string(at.keyword) + "\")";
  }
  throw ReadFailure(message, ReadFailure::At::kField);
}

std::int32_t FieldReader::read_number() {
  begin_field();
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !is_delimiter(text_[pos_]) && text_[pos_] != ' ') ++pos_;
  end_field(pos_);
  const std::string_view token(text_.data() + start, pos_ - start);
  while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  consume_delimiter();

  std::size_t i = 0;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  if (i == token.size()) fail_value(quoted(token) + " is not a number");
  std::int64_t value = 0;
  for (; i < token.size(); ++i) {
    if (!is_digit(token[i])) fail_value(quoted(token) + " is not a number");
    value = value * 10 + (token[i] - '0');
    if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) break;
  }
  for (; i < token.size(); ++i) {
    if (!is_digit(token[i])) fail_value(quoted(token) + " is not a number");
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    fail_value("the number " + quoted(token) + " does not fit 32 bits");
  }
  return static_cast<std::int32_t>(value);
}

std::string_view FieldReader::read_keyword() {
  end_entry();
  const std::string_view field = read_field();
  keyword_ = where_->field;
  return field;
}

void FieldReader::begin_entry(std::string_view keyword, int values) {
  ReadPosition& at = *where_;
  at.entry = keyword_;
  at.in_entry = true;
  at.keyword = keyword;
  at.values = values;
  at.values_read = 0;
  at.values_on_entry_line = 0;
}

void FieldReader::end_entry() {
  where_->in_entry = false;
}

void FieldReader::skip_rest_of_line() {
  if (pos_ == line_start_) return;
  while (pos_ < text_.size() && !is_line_end(text_[pos_])) ++pos_;
  consume_delimiter();
}

void FieldReader::resume_after_failure() {
  const ReadPosition& at = *where_;
  const FieldSpan& from = at.in_entry ? at.entry : at.field;
  if (from.line > 0) {
    std::size_t p = from.start;
    while (p < text_.size() && !is_line_end(text_[p])) ++p;
    pos_ = p;
    line_ = from.line;
    line_start_ = from.line_start;
    consume_delimiter();
  }
  end_entry();
}

}  // namespace sb
