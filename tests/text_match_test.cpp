// Keyword tests on fields: a word found anywhere in the field, with or without case.
#include "reader/text_match.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(TextMatch, WordAnywhereInTheField) {
  struct Case {
    std::string_view field;
    std::string_view word;
    bool ignoring_case;  // expected from contains_ignoring_case
    bool exact;          // expected from contains
  };
  static constexpr Case kCases[] = {
      {"curvas4", "curva", true, true},
      {"CURVAS4", "curva", true, false},
      {"  Lunghezza Percorso", "percorso", true, false},
      {"indicatori_vmax", "vmax", true, true},   // at the very end
      {"indicatori_vma", "vmax", false, false},  // cut one short
      {"aaab", "aab", true, true},               // a false start just before the match
      {"ab", "abc", false, false},               // word longer than the field
      {"", "a", false, false},
      {"", "", true, true},
      {"[pendenze]", "pendenza", false, false},
      {"x\xC8y", "\xE8", false, false},  // bytes outside A-Z are compared as they are
      {"x\xC8y", "\xC8", true, true},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(contains_ignoring_case(c.field, c.word), c.ignoring_case)
        << "'" << c.field << "' / '" << c.word << "'";
    EXPECT_EQ(contains(c.field, c.word), c.exact) << "'" << c.field << "' / '" << c.word << "'";
  }
}

}  // namespace
}  // namespace sb
