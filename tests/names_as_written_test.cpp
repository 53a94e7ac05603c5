// Names are shown as the author wrote them: the single-byte text of the files is read as the
// simulator's code page, Windows-1252, wherever a name is drawn, listed or quoted, and each
// character stands as itself on an output read as UTF-8.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/quoting.h"
#include "platform/output_encoding.h"
#include "platform/printable_text.h"
#include "test_support.h"

namespace sb::test {
namespace {

// A scenario whose stations are named with a typographic apostrophe (0x92, U+2019) and with
// a byte that Windows-1252 leaves undefined (0x81).
void write_scenario(const TempDir& dir) {
  write_bytes(dir.file("Nomi_linea.txt"),
              crlf({"[generale]", "lunghezza percorso, 6000", "[curve]", "[fine]"}));
  write_bytes(
      dir.file("Nomi_L1-.txt"),
      crlf({"[generale]", "velocita, 0, 60", "aderenza, 0, 100",
            "stazione, 500, 22, 300, 0,0,0, 0,0,0, 0,0,0, 30, 8,0,0, SANT\x92"
            "ELIA",
            "stazione, 5000, 22, 300, 0,0,0, 0,0,0, 0,0,0, 30, 8,6,0, PONTE\x81", "[fine]"}));
}

TEST(NamesAsWritten, PlanAndDumpShowTheCodePagesCharacters) {
  TempDir dir;
  write_scenario(dir);
  const ProgramResult compiled = run_program({"compile", "Nomi", "L1"}, dir.path());
  ASSERT_EQ(compiled.status, 0) << compiled.err;

  const ProgramResult plan = run_program({"plan", "-o", "-", "Nomi", "L1"}, dir.path());
  ASSERT_EQ(plan.status, 0) << plan.err;
  EXPECT_NE(plan.out.find(">SANT&#x2019;ELIA</text>"), std::string::npos);
  // The undefined byte is drawn as a control byte is: the replacement character.
  EXPECT_NE(plan.out.find(">PONTE&#xFFFD;</text>"), std::string::npos);
  EXPECT_EQ(plan.out.find("&#x92;"), std::string::npos);

  const ProgramResult json = run_program({"dump", "--json", "Nomi_L1.sim"}, dir.path());
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_NE(json.out.find(R"("SANT\u2019ELIA")"), std::string::npos) << json.out;
  EXPECT_NE(json.out.find(R"("PONTE\u0081")"), std::string::npos) << json.out;

  const ProgramResult text = run_program({"dump", "Nomi_L1.sim"}, dir.path());
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("\"SANT\u2019ELIA\""), std::string::npos) << text.out;
  EXPECT_NE(text.out.find(R"("PONTE\x81")"), std::string::npos) << text.out;
  if (kWindows) return;  // Windows has no locale: its output is read as UTF-8
  RunLimits ascii;
  ascii.locale = "C";
  const ProgramResult escaped = run_program({"dump", "Nomi_L1.sim"}, dir.path(), SB_PROGRAM, ascii);
  EXPECT_NE(escaped.out.find(R"("SANT\x92ELIA")"), std::string::npos) << escaped.out;
}

TEST(NamesAsWritten, ExplainShowsAnExampleSavedInUtf8AsItsAuthorTyped) {
  TempDir dir;
  const ProgramResult r = run_program({"explain", "name-encoding"}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find(", CITT\u00c0\n"), std::string::npos) << r.out;
  if (kWindows) return;
  RunLimits ascii;
  ascii.locale = "C";
  const ProgramResult escaped =
      run_program({"explain", "name-encoding"}, dir.path(), SB_PROGRAM, ascii);
  EXPECT_NE(escaped.out.find(", CITT\\xc3\\x80\n"), std::string::npos) << escaped.out;
}

// The tests run with an output read as UTF-8 (test_support sets their locale).
TEST(NamesAsWritten, QuotingShowsVisibleCharactersAndEscapesTheRest) {
  if (kWindows && !output_is_utf8()) GTEST_SKIP() << "the tests' console does not show UTF-8";
  struct Case {
    const char* name;
    std::string text;
    std::string windows1252;  // quoted() of the text
    std::string utf8;         // quoted_utf8() of the text
  };
  const std::vector<Case> cases = {
      {"accented letter", "CITT\xC0", "\"CITT\u00c0\"", "\"CITT\\xc0\""},
      {"UTF-8 letter", "CITT\xC3\x80", "\"CITT\u00c3\u20ac\"", "\"CITT\u00c0\""},
      {"the code page's own range", "\x80\x92\x9F", "\"\u20ac\u2019\u0178\"",
       "\"\\x80\\x92\\x9f\""},
      {"undefined bytes", "\x81\x8D\x8F\x90\x9D", "\"\\x81\\x8d\\x8f\\x90\\x9d\"",
       "\"\\x81\\x8d\\x8f\\x90\\x9d\""},
      {"control characters", "A\tB\x01\x7F", "\"A\\tB\\x01\\x7f\"", "\"A\\tB\\x01\\x7f\""},
      {"no-break space and soft hyphen",
       "A\xA0"
       "B\xAD",
       "\"A\\xa0B\\xad\"", "\"A\\xa0B\\xad\""},
      {"invisible UTF-8 characters", "A\xC2\xA0\xE2\x80\xAE\xE2\x80\x8B", "",
       "\"A\\xc2\\xa0\\xe2\\x80\\xae\\xe2\\x80\\x8b\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.windows1252.empty()) {
      EXPECT_EQ(sb::quoted(c.text), c.windows1252);
    }
    EXPECT_EQ(quoted_utf8(c.text), c.utf8);
  }
}

TEST(NamesAsWritten, ACutNeverSplitsAShownCharacter) {
  if (kWindows && !output_is_utf8()) GTEST_SKIP() << "the tests' console does not show UTF-8";
  // "è" is two bytes in UTF-8: a cut after 3 bytes falls inside the second one.
  EXPECT_EQ(printable_text("a\xC3\xA8\xC3\xA8z", 3), "a\u00e8\u2026");
  EXPECT_EQ(printable_text("a\xC3\xA8\xC3\xA8z", 4), "a\u00e8\u2026");
  EXPECT_EQ(printable_text("a\xC3\xA8\xC3\xA8z", 5), "a\u00e8\u00e8\u2026");
  EXPECT_EQ(sb::quoted("\xE8\xE8\xE8", 2), "\"\u00e8\u00e8\u2026\"");
}

}  // namespace
}  // namespace sb::test
