// The field stream of the scenario text files: delimiters, blanks, numbers and line numbers.
#include "reader/field_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "reader/read_failure.h"

namespace sb::test {
namespace {

std::vector<std::string> all_text_fields(const std::string& text) {
  FieldReader in(text);
  std::vector<std::string> fields;
  while (!in.at_end()) fields.emplace_back(in.read_field());
  return fields;
}

TEST(FieldReader, TextFieldsEndAtCommasAndEveryKindOfLineEnd) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> fields;
  };
  const Case cases[] = {
      {"crlf", "a,b\r\nc\r\n", {"a", "b", "c"}},
      {"lone lf", "a,b\nc\n", {"a", "b", "c"}},
      {"lone cr", "a,b\rc\r", {"a", "b", "c"}},
      {"lf then cr is two line ends", "a\n\rb", {"a", "", "b"}},
      {"leading blanks skipped, trailing kept", "   x  ,  y ", {"x  ", "y "}},
      {"quotes are ordinary characters", "\"a\" ,b", {"\"a\" ", "b"}},
      {"empty line is one empty field", "a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"tab is not a blank", "\tx,y", {"\tx", "y"}},
      {"no line end after the last field", "[fine]", {"[fine]"}},
      {"empty fields between commas", "a,,b", {"a", "", "b"}},
  };
  for (const Case& c : cases) EXPECT_EQ(all_text_fields(c.text), c.fields) << c.name;
}

TEST(FieldReader, NumbersEndAtBlanksAndSwallowTheDelimiterAfterThem) {
  {
    FieldReader in("    0    ,0\r\nnext");
    EXPECT_EQ(in.read_number(), 0);
    EXPECT_EQ(in.read_number(), 0);
    EXPECT_EQ(in.read_field(), "next");
  }
  {
    FieldReader in("orologio,    12              9             50 \r\n[fine]\r\n");
    EXPECT_EQ(in.read_field(), "orologio");
    EXPECT_EQ(in.read_number(), 12);
    EXPECT_EQ(in.read_number(), 9);
    EXPECT_EQ(in.read_number(), 50);
    EXPECT_EQ(in.read_field(), "[fine]");
    EXPECT_TRUE(in.at_end());
  }
  {
    // The blanks after a number are consumed and then one line end, not two.
    FieldReader in("7   \r\n\r\nz");
    EXPECT_EQ(in.read_number(), 7);
    EXPECT_EQ(in.read_field(), "");
    EXPECT_EQ(in.read_field(), "z");
  }
}

TEST(FieldReader, NumberValues) {
  struct Case {
    std::string text;
    std::int32_t value;
  };
  const Case cases[] = {
      {"42", 42},
      {"-42,", -42},
      {"+7\r\n", 7},
      {"  0005", 5},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
  };
  for (const Case& c : cases) {
    FieldReader in(c.text);
    EXPECT_EQ(in.read_number(), c.value) << c.text;
  }
}

TEST(FieldReader, FieldsThatAreNotNumbersFail) {
  for (const std::string text : {"", ",5", "   ,", "\r\n5", "1.5", "12abc", "abc", "-", "+",
                                 "2147483648", "-2147483649", "99999999999999999999", "1e3"}) {
    FieldReader in(text + ",1");
    EXPECT_THROW(in.read_number(), ReadFailure) << '"' << text << '"';
  }
}

TEST(FieldReader, ReadingPastTheEndFails) {
  FieldReader in("a,1");
  EXPECT_EQ(in.read_field(), "a");
  EXPECT_EQ(in.read_number(), 1);
  EXPECT_TRUE(in.at_end());
  EXPECT_THROW(in.read_field(), ReadFailure);
  EXPECT_THROW(in.read_number(), ReadFailure);
  EXPECT_THROW(FieldReader("").read_field(), ReadFailure);
}

TEST(FieldReader, FollowsTheLineOfEveryField) {
  ReadPosition where;
  where.file = "f.txt";
  FieldReader in("a,b\r\nc\nd\re\r\n\r\n  7 ,8", &where);
  const std::vector<std::pair<std::string, int>> expected = {{"a", 1}, {"b", 1}, {"c", 2},
                                                             {"d", 3}, {"e", 4}, {"", 5}};
  for (const auto& [text, line] : expected) {
    EXPECT_EQ(in.read_field(), text);
    EXPECT_EQ(in.line(), line) << text;
    EXPECT_EQ(where.field.line, line) << text;
  }
  EXPECT_EQ(in.read_number(), 7);
  EXPECT_EQ(where.field.line, 6);
  EXPECT_EQ(spot_of(where, where.field).column, 3);
  EXPECT_EQ(in.read_number(), 8);
  EXPECT_EQ(where.field.line, 6);
  EXPECT_EQ(spot_of(where, where.field).column, 6);
  EXPECT_EQ(where.file, "f.txt");
}

}  // namespace
}  // namespace sb::test
