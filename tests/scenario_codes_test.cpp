// The two check codes computed from the line name and the scenario name.
#include "compiler/scenario_codes.h"

#include <gtest/gtest.h>

namespace sb::test {
namespace {

struct Codes {
  std::int32_t og;
  std::int32_t st;
};

Codes codes_for(const std::string& line, const std::string& scenario) {
  Scenario s;
  s.station_table[kLineSlot].name = line;
  s.station_table[kScenarioSlot].name = scenario;
  const std::int32_t st = codice_gara_st(s);
  const std::int32_t og = codice_gara_og(s);
  return {og, st};
}

TEST(ScenarioCodes, BuiltinNames) {
  const Codes c = codes_for("LINEA 7", "Roccalta_ Valfiorita");
  EXPECT_EQ(c.og, 2436);
  EXPECT_EQ(c.st, 32308);
}

TEST(ScenarioCodes, WorkStringIsTheLowerCasedNamesPadded) {
  Scenario s;
  s.station_table[kLineSlot].name = "AB";
  s.station_table[kScenarioSlot].name = "Cd";
  codice_gara_og(s);
  EXPECT_EQ(s.text_line, "abcdzzyyxxwwvvuuttssrrqqppkkjj");
}

TEST(ScenarioCodes, CaseDoesNotMatter) {
  const Codes upper = codes_for("LINEA 7", "ROCCALTA_ VALFIORITA");
  const Codes lower = codes_for("linea 7", "roccalta_ valfiorita");
  EXPECT_EQ(upper.og, lower.og);
  EXPECT_EQ(upper.st, lower.st);
}

TEST(ScenarioCodes, OnlyTheFirst25CharactersCount) {
  const Codes a = codes_for("LINEA 7", "Roccalta_ ValfioriXXXXXXXX");
  const Codes b = codes_for("LINEA 7", "Roccalta_ Valfiori");
  const Codes c = codes_for("LINEA 7Roccalta_ ", "Valfiori");
  EXPECT_EQ(a.og, b.og);
  EXPECT_EQ(a.st, b.st);
  EXPECT_EQ(b.st, c.st);  // same concatenation, split differently
}

TEST(ScenarioCodes, SwappingTheNamesChangesTheCodes) {
  const Codes a = codes_for("LINEA 7", "Roccalta_ Valfiorita");
  const Codes b = codes_for("Roccalta_ Valfiorita", "LINEA 7");
  EXPECT_NE(a.og, b.og);
  EXPECT_NE(a.st, b.st);
}

TEST(ScenarioCodes, EmptyNamesSumTheFillConstant) {
  const std::string fill = "zzyyxxwwvvuuttssrrqqppkkj";  // first 25 characters of the fill
  std::int32_t og = 0, st = 0;
  for (int i = 0; i < 25; ++i) {
    og += static_cast<unsigned char>(fill[i]);
    st += static_cast<unsigned char>(fill[i]) * (i + 1);
  }
  const Codes c = codes_for("", "");
  EXPECT_EQ(c.og, og);
  EXPECT_EQ(c.st, st);
}

}  // namespace
}  // namespace sb::test
