// The text of the built-in train file: its sections and entries, every line's length, the
// fixed columns of the station, signal and clock lines, and the values the train pass reads.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "model/file_names.h"
#include "text_file_lines.h"
#include "writers/builtin_sources.h"

namespace sb::test {
namespace {

class TrainFileLayout : public ::testing::Test {
 protected:
  const std::vector<std::string> lines = written_lines(dati_treno, train_file_name);

  std::vector<std::string> entries(const std::string& keyword) const {
    std::vector<std::string> found;
    for (const std::string& line : lines) {
      if (keyword_of(line) == keyword) found.push_back(line);
    }
    return found;
  }
};

TEST_F(TrainFileLayout, EveryLineHasItsLength) {
  const std::vector<std::size_t> lengths = {10, 20, 33, 12, 46, 10, 21, 12, 20, 10, 80, 85, 93,
                                            82, 87, 83, 81, 79, 83, 87, 79, 78, 80, 85, 80, 82,
                                            89, 79, 84, 85, 81, 82, 15, 9,  51, 8,  6};
  ASSERT_EQ(lines.size(), lengths.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].size(), lengths[i]) << "line " << i << ": \"" << lines[i] << '"';
  }
}

TEST_F(TrainFileLayout, SectionsHoldTheirEntriesInOrder) {
  using Sections = std::vector<std::pair<std::string, std::vector<std::string>>>;
  Sections sections;
  for (const std::string& line : lines) {
    if (!line.empty() && line.front() == '[') {
      sections.push_back({line, {}});
    } else {
      ASSERT_FALSE(sections.empty()) << line;
      sections.back().second.push_back(keyword_of(line));
    }
  }
  const Sections expected = {
      {"[generale]", {"numero vetture", "percentuale massa frenata", "sabbia", "orologio"}},
      {"[aderenze]", {"aderenza"}},
      {"[vel_limite]", {"velocita"}},
      {"[stazioni]", std::vector<std::string>(22, "stazione")},
      {"[rallentamenti]", {}},
      {"[segnali]", {"segnale"}},
      {"[codici]", {}},
      {"[fine]", {}},
  };
  EXPECT_EQ(sections, expected);
}

TEST_F(TrainFileLayout, GeneralEntriesHoldTheirValues) {
  const std::pair<const char*, std::vector<int>> expected[] = {
      {"numero vetture", {3}}, {"percentuale massa frenata", {100}},
      {"sabbia", {0}},         {"aderenza", {0, 100}},
      {"velocita", {0, 30}},
  };
  for (const auto& [keyword, values] : expected) {
    const auto found = entries(keyword);
    ASSERT_EQ(found.size(), 1u) << keyword;
    std::vector<int> numbers;
    for (const std::string& field : fields_of(found[0])) numbers.push_back(to_int(field));
    EXPECT_EQ(numbers, values) << found[0];
  }
}

// One comma only: the three clock numbers stand in fixed columns among runs of spaces, and the
// line ends with a space.
TEST_F(TrainFileLayout, ClockLineKeepsItsColumnsAndTrailingSpace) {
  const auto found = entries("orologio");
  ASSERT_EQ(found.size(), 1u);
  const std::string& clock = found[0];
  ASSERT_EQ(clock.size(), 46u);
  EXPECT_EQ(columns_of(clock, ','), std::vector<int>{9});
  EXPECT_EQ(columns(clock, 14, 15), "12");
  EXPECT_EQ(columns(clock, 30, 30), "9");
  EXPECT_EQ(columns(clock, 44, 45), "50");
  std::string blanks = clock.substr(9);
  for (const int column : {14, 15, 30, 44, 45}) blanks[column - 10] = ' ';
  EXPECT_EQ(blanks, std::string(37, ' '));
}

struct Station {
  std::array<int, 16> numbers;
  const char* name;
};

// The 22 stations in file order: the sixteen numbers, then the name.
const Station kStations[] = {
    {{0, 22, 400, 0, 0, 0, 0, 0, 0, 4, 1, 1, 1, 12, 10, 0}, "ROCCALTA"},
    {{800, 28, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 12, 11, 1}, "VIA DEI GELSI"},
    {{1500, 28, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 12, 12, 1}, "S. ANNA DEL CARPINETO"},
    {{2250, 28, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 12, 13, 1}, "CERRETELLA"},
    {{2900, 28, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 12, 14, 1}, "POGGI DI ROVERE"},
    {{3600, 28, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 12, 15, 1}, "PIOPPETELLO"},
    {{4350, 26, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 12, 16, 1}, "ROVERELLA"},
    {{5100, 26, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 12, 17, 1}, "MIRTETO"},
    {{5900, 26, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 12, 18, 1}, "BELVEDERINO"},
    {{6600, 26, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 12, 19, 1}, "PORTA DEI PESCI"},
    {{7250, 26, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 12, 20, 1}, "FAGGETO"},
    {{8200, 26, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 12, 21, 1}, "SALICI"},
    {{8850, 26, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 12, 22, 1}, "ANFORETO"},
    {{9900, 26, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 12, 23, 1}, "TEATRO MINORE"},
    {{10800, 22, 300, 0, 0, 0, 0, 0, 0, 3, 1, 1, 60, 12, 0, 1}, "OBELISCO"},
    {{12000, 22, 300, 0, 0, 0, 0, 0, 0, 3, 1, 1, 60, 12, 0, 1}, "FRASCHETTA"},
    {{13000, 22, 300, 0, 0, 0, 0, 0, 0, 3, 1, 1, 60, 12, 0, 1}, "PIEVE S. MARCELLO"},
    {{13700, 22, 300, 0, 0, 0, 0, 0, 0, 4, 1, 1, 60, 12, 0, 1}, "GRECALE"},
    {{15400, 22, 300, 0, 0, 0, 0, 0, 0, 3, 1, 1, 60, 12, 0, 1}, "LAGO ROTONDO"},
    {{16300, 26, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 12, 0, 1}, "LAGO ARENELLE"},
    {{17000, 26, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 12, 0, 1}, "LAGO NEVI"},
    {{18000, 6, 400, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1, 0, 0, 0}, "VALFIORITA"},
};

// Every station line has its commas in the same columns and its name from column 73 to the
// end of the line.
TEST_F(TrainFileLayout, StationLinesShareTheirColumnsAndHoldTheirValues) {
  const std::vector<int> commas = {9,  18, 22, 28, 32, 35, 38, 42, 44,
                                   46, 50, 52, 54, 60, 65, 68, 71};
  const auto stations = entries("stazione");
  ASSERT_EQ(stations.size(), std::size(kStations));
  for (std::size_t i = 0; i < stations.size(); ++i) {
    const std::string& line = stations[i];
    SCOPED_TRACE(line);
    EXPECT_EQ(columns_of(line, ','), commas);
    EXPECT_EQ(columns(line, 72, 72), " ");
    EXPECT_EQ(line.substr(72), kStations[i].name);
    const auto fields = fields_of(line);
    ASSERT_EQ(fields.size(), 17u);
    for (std::size_t f = 0; f < 16; ++f) {
      EXPECT_EQ(to_int(fields[f]), kStations[i].numbers[f]) << "field " << f + 1;
    }
  }
}

TEST_F(TrainFileLayout, SignalLineKeepsItsColumnsAndValues) {
  const auto found = entries("segnale");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(columns_of(found[0], ','),
            (std::vector<int>{8, 17, 22, 25, 28, 32, 35, 41, 45, 47, 49}));
  std::vector<int> numbers;
  for (const std::string& field : fields_of(found[0])) numbers.push_back(to_int(field));
  EXPECT_EQ(numbers, (std::vector<int>{14650, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0}));
}

}  // namespace
}  // namespace sb::test
