#include "reader/field_reader.h"

#include <limits>

#include "reader/read_failure.h"

namespace sb {
namespace {

bool is_line_end(char c) {
  return c == '\r' || c == '\n';
}
bool is_delimiter(char c) {
  return c == ',' || is_line_end(c);
}

}  // namespace

FieldReader::FieldReader(std::string text, SourceLocation* where)
    : text_(std::move(text)), where_(where) {}

void FieldReader::begin_field() {
  if (at_end()) throw ReadFailure("the file ends in the middle of an entry");
  while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  field_line_ = line_;
  if (where_ != nullptr) where_->line = field_line_;
}

void FieldReader::consume_delimiter() {
  if (pos_ >= text_.size()) return;
  const char c = text_[pos_];
  if (c == ',') {
    ++pos_;
  } else if (c == '\r') {
    ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    ++line_;
  } else if (c == '\n') {
    ++pos_;
    ++line_;
  }
}

std::string FieldReader::read_text() {
  return std::string(read_field());
}

std::string_view FieldReader::read_field() {
  begin_field();
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !is_delimiter(text_[pos_])) ++pos_;
  const std::string_view field(text_.data() + start, pos_ - start);
  consume_delimiter();
  return field;
}

std::int32_t FieldReader::read_number() {
  begin_field();
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !is_delimiter(text_[pos_]) && text_[pos_] != ' ') ++pos_;
  const std::string_view token(text_.data() + start, pos_ - start);
  if (pos_ < text_.size() && text_[pos_] == ' ') {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }
  consume_delimiter();

  std::size_t i = 0;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  if (i == token.size()) throw ReadFailure("\"" + std::string(token) + "\" is not a number");
  std::int64_t value = 0;
  for (; i < token.size(); ++i) {
    const char c = token[i];
    if (c < '0' || c > '9') throw ReadFailure("\"" + std::string(token) + "\" is not a number");
    value = value * 10 + (c - '0');
    if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) break;
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    throw ReadFailure("the number " + std::string(token) + " does not fit 32 bits");
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace sb
