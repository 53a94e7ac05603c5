// The JSON reader and writer the language server speaks with: every text that is not JSON is
// refused, every value written reads back the same.
#include <gtest/gtest.h>

#include <string>

#include "driver/lsp/json.h"

namespace sb::test {
namespace {

TEST(LspJson, RefusesEveryTextThatIsNotJson) {
  const char* const refused[] = {
      "",
      "   ",
      "{",
      "[1,]",
      "{\"a\":1,}",
      "{\"a\" 1}",
      "{a:1}",
      "01",
      "-",
      "1.",
      ".5",
      "1e",
      "+1",
      "tru",
      "nul",
      "\"abc",
      "\"a\tb\"",     // a raw control character
      "\"\\x41\"",    // no such escape
      "\"\\u12\"",    // a short \u escape
      "\"\\uD800\"",  // a lone high surrogate
      "\"\\uDC00\"",  // a lone low surrogate
      "\"\\uD800\\u0041\"",
      "\"\xC3\"",          // a cut UTF-8 sequence
      "\"\xC0\xAF\"",      // an overlong form
      "\"\xED\xA0\x80\"",  // a surrogate in UTF-8
      "\"\xFF\"",
      "[1] 2",
      "'a'",
      "NaN",
  };
  for (const char* text : refused) {
    SCOPED_TRACE(text);
    EXPECT_THROW(parse_json(text), JsonError);
  }
}

TEST(LspJson, ReadsTheWholeGrammar) {
  const Json v = parse_json(
      " {\"n\": -12.5e1, \"z\": 0, \"t\": true, \"f\": false, \"x\": null,"
      " \"s\": \"a\\\"\\\\\\/\\b\\f\\n\\r\\t\\u00e9\\u20AC\\uD83D\\uDE00\", \"a\": [[], {}, "
      "1E2]} ");
  EXPECT_EQ(v["n"].number, -125);
  EXPECT_EQ(v["z"].number, 0);
  EXPECT_TRUE(v["t"].boolean);
  EXPECT_EQ(v["f"].kind, Json::Kind::kBool);
  EXPECT_FALSE(v["f"].boolean);
  EXPECT_TRUE(v["x"].is_null());
  EXPECT_EQ(v["s"].text, "a\"\\/\b\f\n\r\t\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  ASSERT_EQ(v["a"].items.size(), 3u);
  EXPECT_EQ(v["a"].items[0].kind, Json::Kind::kArray);
  EXPECT_EQ(v["a"].items[1].kind, Json::Kind::kObject);
  EXPECT_EQ(v["a"].items[2].number, 100);
  EXPECT_EQ(v.find("missing"), nullptr);
  EXPECT_THROW(v["missing"], std::runtime_error);
}

TEST(LspJson, Latin1BytesModeKeepsTheCompiledFilesNames) {
  EXPECT_EQ(parse_json("\"CITT\\u00e0\"", JsonStrings::kLatin1Bytes).text, "CITT\xE0");
  EXPECT_EQ(parse_json("\"\\u20ac\"", JsonStrings::kLatin1Bytes).text, "\xE2\x82\xAC");
  EXPECT_EQ(parse_json("\"CITT\\u00e0\"").text, "CITT\xC3\xA0");
}

TEST(LspJson, RefusesNestingDeeperThanItsLimit) {
  const std::string ok = std::string(kJsonMaxDepth, '[') + std::string(kJsonMaxDepth, ']');
  EXPECT_NO_THROW(parse_json(ok));
  const std::string deep =
      std::string(kJsonMaxDepth + 1, '[') + std::string(kJsonMaxDepth + 1, ']');
  EXPECT_THROW(parse_json(deep), JsonError);
  // Far deeper than any stack would take, refused all the same.
  EXPECT_THROW(parse_json(std::string(1000000, '[')), JsonError);
}

TEST(LspJson, WrittenValuesReadBackTheSame) {
  Json v = Json::object()
               .set("id", Json::of(42.0))
               .set("half", Json::of(-0.5))
               .set("text", Json::string("quote \" slash \\ tab \t nul " + std::string(1, '\0') +
                                         " \xC3\xA9"))
               .set("list", Json::array().push(Json()).push(Json::of(true)))
               .set("id", Json::of(7.0));  // replaces the first
  const std::string text = to_json_text(v);
  EXPECT_EQ(text.find("\"id\":42"), std::string::npos) << text;
  const Json back = parse_json(text);
  EXPECT_EQ(back["id"].number, 7);
  EXPECT_EQ(back["half"].number, -0.5);
  EXPECT_EQ(back["text"].text, v["text"].text);
  ASSERT_EQ(back["list"].items.size(), 2u);
  EXPECT_TRUE(back["list"].items[0].is_null());
  // Bytes that are not UTF-8 still give valid JSON: taken as Latin-1.
  EXPECT_EQ(parse_json(to_json_text(Json::string("CITT\xE0"))).text, "CITT\xC3\xA0");
}

}  // namespace
}  // namespace sb::test
