// The table of entry values that hover, signature help and snippets read: one row per keyword,
// as many values as the reader reads, and the same words as the manual's value tables.
#include "reader/entry_values.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>

#include "test_support.h"

namespace sb::test {
namespace {

TEST(EntryValues, EveryKeywordHasItsValuesInReadingOrder) {
  for (const Keyword& k : kKeywords) {
    SCOPED_TRACE(k.spelling);
    const EntryValues* row = find_entry_values(k);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->values.size(), static_cast<std::size_t>(k.values));
    EXPECT_FALSE(row->summary.empty());
    for (const EntryValue& v : row->values) {
      EXPECT_FALSE(v.name.empty());
      EXPECT_FALSE(v.becomes.empty());
      // A value that places something on the track is a position in metres.
      if (v.placement != Placement::kNone) {
        EXPECT_EQ(v.unit, "m") << v.name;
      }
    }
  }
}

// Table cells as the manual writes them: "| a | b |", an empty cell as "| |".
std::string cells(std::initializer_list<std::string> texts) {
  std::string row = "|";
  for (const std::string& t : texts) row += t.empty() ? " |" : " " + t + " |";
  return row;
}

// The manual's tables of five columns (#, value, unit, range, becomes) give the same name,
// unit and range for every value; the entries listed here are described another way there.
TEST(EntryValues, AgreeWithTheManualsValueTables) {
  const std::string manual = read_bytes(std::string(SB_SOURCE_DIR) + "/docs/authoring.md");
  const std::set<std::string_view> other_form = {"sfondo uno",     "sfondo due",
                                                 "sfondo tre",     "segnale",
                                                 "numero vetture", "percentuale massa frenata",
                                                 "sabbia",         "orologio"};
  for (const EntryValues& row : kEntryValues) {
    if (other_form.contains(row.spelling)) continue;
    for (std::size_t k = 0; k < row.values.size(); ++k) {
      const EntryValue& v = row.values[k];
      const std::string wanted = cells(
          {std::to_string(k + 1), std::string(v.name), std::string(v.unit), std::string(v.range)});
      EXPECT_NE(manual.find(wanted), std::string::npos) << row.spelling << ": " << wanted;
    }
  }
  // The signal's table has no unit column.
  const EntryValues* signal = find_entry_values(kw::kSignal);
  ASSERT_NE(signal, nullptr);
  for (std::size_t k = 1; k < signal->values.size(); ++k) {
    const std::string wanted = cells({std::to_string(k + 1), std::string(signal->values[k].name),
                                      std::string(signal->values[k].range)});
    EXPECT_NE(manual.find(wanted), std::string::npos) << wanted;
  }
}

}  // namespace
}  // namespace sb::test
