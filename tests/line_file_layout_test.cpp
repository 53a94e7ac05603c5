// The text of the built-in line file: its sections and entries, every line's length, the
// spacing that is part of the text, and the values the line pass relies on.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "model/file_names.h"
#include "text_file_lines.h"
#include "writers/builtin_sources.h"

namespace sb::test {
namespace {

using Sections = std::vector<std::pair<std::string, std::vector<std::string>>>;

// The section lines in file order, each with the keywords of the entries under it. Curve
// keywords ("curvad" or "curvas" and a digit from 2 to 5) are reported as "curva".
Sections sections_of(const std::vector<std::string>& lines) {
  static const std::regex kCurve("curva[ds][2-5]");
  Sections sections;
  for (const std::string& line : lines) {
    if (!line.empty() && line.front() == '[') {
      sections.push_back({line, {}});
    } else if (sections.empty()) {
      ADD_FAILURE() << "entry before the first section: " << line;
    } else {
      const std::string keyword = keyword_of(line);
      sections.back().second.push_back(std::regex_match(keyword, kCurve) ? "curva" : keyword);
    }
  }
  return sections;
}

class LineFileLayout : public ::testing::Test {
 protected:
  const std::vector<std::string> lines = written_lines(dati_linea, line_file_name);
};

TEST_F(LineFileLayout, EveryLineHasItsLength) {
  const std::vector<std::size_t> lengths = {10, 28, 46, 46, 46, 16, 16, 16, 40, 7,  20, 20,
                                            20, 20, 20, 20, 20, 21, 21, 21, 21, 21, 10, 10,
                                            29, 29, 29, 29, 30, 10, 59, 61, 67, 61, 13, 6};
  ASSERT_EQ(lines.size(), lengths.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].size(), lengths[i]) << "line " << i << ": \"" << lines[i] << '"';
  }
}

TEST_F(LineFileLayout, SectionsHoldTheirEntriesInOrder) {
  const std::vector<std::string> curves(12, "curva");
  const Sections expected = {
      {"[generale]",
       {"lunghezza percorso", "progressiva chilometrica uno", "progressiva chilometrica due",
        "progressiva chilometrica tre", "sfondo uno", "sfondo due", "sfondo tre",
        "ripetizione segnali 4 codici"}},
      {"[curve]", curves},
      {"[pendenze]", {}},
      {"[montagne]", {"montagna", "montagna", "montagna", "montagna", "montagna"}},
      {"[cartelli]", {"indicatori_vmax", "indicatori_vmax", "indicatori_vmax", "indicatori_vmax"}},
      {"[indicazioni]", {}},
      {"[fine]", {}},
  };
  EXPECT_EQ(sections_of(lines), expected);
}

// The values as the line pass reads them, in file order.
TEST_F(LineFileLayout, EntriesHoldTheirValues) {
  const std::vector<std::vector<int>> expected = {
      {18000},
      {0, 0, 0},
      {0, 0, 0},
      {0, 0, 0},
      {1},
      {0},
      {0},
      {0, 0},
      {1500, 550},
      {3000, 600},
      {4450, 250},
      {4950, 450},
      {6150, 400},
      {9000, 400},
      {9500, 300},
      {10300, 300},
      {11500, 300},
      {13650, 350},
      {15550, 500},
      {17050, 350},
      {3950, 10600, 12},
      {11250, 11500, 2},
      {12350, 12850, 2},
      {14050, 14300, 2},
      {15800, 17600, 12},
      {400, 80, 80, 80, 0, 80, 80, 80, 0},
      {10400, 60, 60, 60, 0, 60, 60, 60, 0},
      {12150, 100, 100, 100, 0, 100, 100, 100, 0},
      {15650, 80, 80, 80, 0, 80, 80, 80, 0},
  };
  std::vector<std::vector<int>> values;
  for (const std::string& line : lines) {
    if (line.empty() || line.front() == '[') continue;
    std::vector<int> numbers;
    for (const std::string& field : fields_of(line)) numbers.push_back(to_int(field));
    values.push_back(numbers);
  }
  EXPECT_EQ(values, expected);
}

TEST_F(LineFileLayout, CurveKeywordsNameTheirSideAndCurvesFollowTheRoute) {
  std::string sides;
  int previous = 0;
  for (const std::string& line : lines) {
    if (line.rfind("curva", 0) != 0) continue;
    sides += line.substr(5, 2);
    const int start = to_int(fields_of(line).at(0));
    EXPECT_GT(start, previous) << line;
    previous = start;
  }
  EXPECT_EQ(sides, "d4s2d5s4s4s4d4s5d3d3s5s3");
}

// The runs of spaces after the commas are part of the text.
TEST_F(LineFileLayout, SpacingAfterCommasIsKept) {
  struct Rule {
    const char* keyword_prefix;
    std::vector<int> spaces;
  };
  const Rule rules[] = {
      {"lunghezza percorso", {4}},
      {"progressiva chilometrica", {4, 4, 4}},
      {"sfondo", {4}},
      {"ripetizione segnali", {4, 0}},
      {"curva", {2, 2}},
      {"montagna", {3, 2, 2}},
      {"indicatori_vmax", std::vector<int>(9, 2)},
  };
  std::size_t checked = 0;
  for (const std::string& line : lines) {
    if (line.empty() || line.front() == '[') continue;
    for (const Rule& rule : rules) {
      if (line.rfind(rule.keyword_prefix, 0) != 0) continue;
      EXPECT_EQ(spaces_after_commas(line), rule.spaces) << line;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 29u);
  EXPECT_EQ(lines.at(8), "ripetizione segnali 4 codici,    0    ,0");
}

}  // namespace
}  // namespace sb::test
