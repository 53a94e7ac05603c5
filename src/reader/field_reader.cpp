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

// "1 value", "3 values".
std::string values_text(int n) {
  return std::to_string(n) + (n == 1 ? " value" : " values");
}

// What an author means by a line that starts with "[" (a section line) or with "//", "#" or
// ";" (a comment): empty for any other line.
std::string_view meant_as(std::string_view field) {
  const std::size_t first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::string_view text = field.substr(first);
  if (text.starts_with('[')) return "section line";
  if (text.starts_with("//") || text.starts_with('#') || text.starts_with(';'))
    return "comment line";
  return {};
}

// How to keep a section or comment line from being read as an entry.
std::string trap_note(std::string_view kind) {
  if (kind == "section line") {
    return "a section line that holds a keyword is read as that entry: name the section "
           "without one (\"[montagne]\" holds no keyword, \"[montagna]\" does)";
  }
  return "the files have no comments: a line that holds a keyword is read as that entry, "
         "whatever it starts with; keep keywords out of comment lines, or write the notes "
         "before \"[generale]\"";
}

// What the keyword field holds besides its keyword: a number right after it means a missing
// comma; other words mean a line that was not meant as an entry.
std::string keyword_field_note(std::string_view field, std::string_view keyword) {
  if (const std::string_view kind = meant_as(field); !kind.empty()) return trap_note(kind);
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
      throw ReadFailure("\"" + std::string(at.keyword) + "\" expects " + values_text(at.values) +
                        "; the file ends after " + std::to_string(at.values_read));
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
  ReadPosition& at = *where_;
  at.field.end = end;
  if (at.in_entry && at.values_read >= 1 && at.values_read <= kMaxEntryValues) {
    at.value_fields[static_cast<std::size_t>(at.values_read - 1)] = at.field;
  }
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

void FieldReader::fail_value(const std::string& what, std::string_view token) {
  const ReadPosition& at = *where_;
  // A tab reads as part of the value: only spaces are skipped in front of a field.
  std::vector<std::string> tab;
  if (token.find('\t') != std::string_view::npos) {
    tab.emplace_back(
        "a tab is not skipped before a value, only spaces are; replace it with spaces");
  }
  if (at.in_entry && at.field.line > at.entry.line) {
    // The entry's values ran into the next line: a value too few, or a missing comma, or a
    // section or comment line read as an entry because it holds a keyword.
    const std::string_view field =
        std::string_view(text_).substr(at.entry.start, at.entry.end - at.entry.start);
    std::vector<std::string> notes;
    if (at.values_on_entry_line == 0 || field.size() > at.keyword.size()) {
      notes.push_back(keyword_field_note(field, at.keyword));
    }
    notes.push_back("the values ran on into line " + std::to_string(at.field.line) + ", where " +
                    what);
    notes.insert(notes.end(), tab.begin(), tab.end());
    const std::string_view kind = meant_as(field);
    const std::string head = kind.empty() ? "\"" + std::string(at.keyword) + "\" expects "
                                          : "the " + std::string(kind) + " " + quoted(field) +
                                                " holds the keyword \"" + std::string(at.keyword) +
                                                "\", so it is read as that entry, which expects ";
    throw ReadFailure(head + values_text(at.values) + "; line " + std::to_string(at.entry.line) +
                          " holds " + std::to_string(at.values_on_entry_line),
                      ReadFailure::At::kEntry, std::move(notes));
  }
  std::string message = what;
  if (at.in_entry) {
    message +=
        " (value " + std::to_string(at.values_read) + " of \"" + std::string(at.keyword) + "\")";
  }
  throw ReadFailure(message, ReadFailure::At::kField, std::move(tab));
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
  if (i == token.size()) fail_value(quoted(token) + " is not a number", token);
  std::int64_t value = 0;
  for (; i < token.size(); ++i) {
    if (!is_digit(token[i])) fail_value(quoted(token) + " is not a number", token);
    value = value * 10 + (token[i] - '0');
    if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) break;
  }
  for (; i < token.size(); ++i) {
    if (!is_digit(token[i])) fail_value(quoted(token) + " is not a number", token);
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    fail_value("the number " + quoted(token) + " does not fit 32 bits", token);
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
