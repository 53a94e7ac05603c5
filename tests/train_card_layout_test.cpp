// The text of the train card: every line's length, the boxes of the header, and the columns
// of the timetable grid with its 22 station rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/file_names.h"
#include "text_file_lines.h"
#include "writers/builtin_sources.h"

namespace sb::test {
namespace {

// The columns from `first` to `last`, both included.
std::vector<int> run(int first, int last) {
  std::vector<int> columns;
  for (int c = first; c <= last; ++c) columns.push_back(c);
  return columns;
}

std::vector<int> joined(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// `text` right-aligned in a field of `width` characters.
std::string right(const std::string& text, std::size_t width) {
  return std::string(width - text.size(), ' ') + text;
}

// `text` left-aligned in a field of `width` characters.
std::string left(const std::string& text, std::size_t width) {
  return text + std::string(width - text.size(), ' ');
}

const std::vector<int> kGridBars = {2, 8, 14, 25, 31, 60, 77, 83};

// The texts of the seven grid cells of a row, between its bars.
std::vector<std::string> cells_of(const std::string& row) {
  std::vector<std::string> cells;
  for (std::size_t i = 0; i + 1 < kGridBars.size(); ++i) {
    cells.push_back(columns(row, kGridBars[i] + 1, kGridBars[i + 1] - 1));
  }
  return cells;
}

class TrainCardLayout : public ::testing::Test {
 protected:
  const std::vector<std::string> lines = written_lines(dati_scheda, train_card_name);
};

TEST_F(TrainCardLayout, EveryLineHasItsLength) {
  std::vector<std::size_t> lengths = {0, 0, 82, 83, 83, 83, 83, 56, 64, 57, 57, 0, 82};
  lengths.insert(lengths.end(), 36, 83);  // the grid rows, slots 13 to 48
  lengths.push_back(0);
  ASSERT_EQ(lines.size(), lengths.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].size(), lengths[i]) << "line " << i << ": \"" << lines[i] << '"';
  }
}

TEST_F(TrainCardLayout, HeaderBoxesLineUp) {
  struct Box {
    std::size_t slot;
    std::vector<int> bars;
    std::vector<int> underscores;
    std::vector<const char*> texts;
  };
  const Box boxes[] = {
      {2, {}, joined(run(3, 21), run(69, 82)), {}},
      {3, {2, 22, 68, 83}, {}, {"SCHEDA"}},
      {4, {2, 22, 68, 83}, {}, {"TRENO n.", "da: Roccalta", "Vxxx C"}},
      {5, {2, 22, 68, 83}, run(3, 21), {"a: Valfiorita", "xxx%"}},
      {6, {68, 83}, run(69, 82), {}},
      {7, {}, joined(run(3, 21), run(38, 56)), {}},
      {8, {2, 22, 37, 57}, {}, {"CLASSIFICAZIONE", "MASSA BLOCCATA"}},
      {9, {2, 22, 37, 57}, {}, {"LINEA 7", "230T"}},
      {10, {2, 22, 37, 57}, joined(run(3, 21), run(38, 56)), {}},
  };
  for (const Box& box : boxes) {
    const std::string& line = lines.at(box.slot);
    SCOPED_TRACE(line);
    EXPECT_EQ(columns_of(line, '|'), box.bars) << "slot " << box.slot;
    EXPECT_EQ(columns_of(line, '_'), box.underscores) << "slot " << box.slot;
    for (const char* text : box.texts) EXPECT_NE(line.find(text), std::string::npos) << text;
  }
  // The classification box row keeps its seven trailing spaces.
  EXPECT_EQ(columns(lines.at(8), 58, 64), std::string(7, ' '));
}

TEST_F(TrainCardLayout, GridBarsLineUpInEveryRow) {
  EXPECT_EQ(columns_of(lines.at(12), '_'), run(3, 82));
  for (std::size_t slot = 13; slot <= 48; ++slot) {
    EXPECT_EQ(columns_of(lines.at(slot), '|'), kGridBars) << "slot " << slot;
  }
}

TEST_F(TrainCardLayout, HeadingSeparatorAndEmptyRows) {
  const std::vector<std::string> top = {
      "Vel.", "Vel.", "Progr Km", "No", "Localita' di  Servizio", "Orario", "Rec"};
  const std::vector<std::string> bottom = {"Lim.", "Marc.", "", "Rs", "", "", ""};
  const auto heading_top = cells_of(lines.at(13));
  const auto heading_bottom = cells_of(lines.at(14));
  for (std::size_t c = 0; c < top.size(); ++c) {
    EXPECT_NE(heading_top.at(c).find(top[c]), std::string::npos) << heading_top.at(c);
    EXPECT_EQ(heading_bottom.at(c).find_first_not_of(' ') == std::string::npos, bottom[c].empty())
        << heading_bottom.at(c);
    EXPECT_NE(heading_bottom.at(c).find(bottom[c]), std::string::npos) << heading_bottom.at(c);
  }
  for (const std::size_t slot : {15u, 48u}) {
    for (const std::string& cell : cells_of(lines.at(slot))) {
      EXPECT_EQ(cell, std::string(cell.size(), '_')) << "slot " << slot;
    }
  }
  // Slot 16 above the stations and the nine rows below them are empty.
  for (const std::size_t slot : {16u, 39u, 40u, 41u, 42u, 43u, 44u, 45u, 46u, 47u}) {
    for (const std::string& cell : cells_of(lines.at(slot))) {
      EXPECT_EQ(cell, std::string(cell.size(), ' ')) << "slot " << slot;
    }
  }
}

struct CardRow {
  const char* speed;
  const char* chainage;
  const char* name;
};

// The card's own text, slots 17 to 38; it is not derived from the train file.
const CardRow kCardRows[] = {
    {"80", "", "ROCCALTA"},
    {"", "0.800", "VIA DEI GELSI"},
    {"", "1.500", "S. ANNA DE CARPINETO"},
    {"", "2.250", "CERRETELLA"},
    {"", "2.850", "POGGI DI ROVERE"},
    {"", "3.600", "PIOPPETELLO"},
    {"", "4.300", "ROVERLELA"},
    {"", "5.100", "MIRTETO"},
    {"", "5.900", "BELVEDERINO"},
    {"", "6.600", "PORTA DEI PESCI"},
    {"", "7.250", "FAGGETO"},
    {"", "8.200", "SALICI"},
    {"", "8.850", "ANFORETO"},
    {"", "9.900", "TEATRO MINORE"},
    {"", "10.800", "OBELISCO"},
    {"100", "12.000", "FRASCHETTA"},
    {"", "13.000", "PIEVE S. MARCELLO"},
    {"", "13.700", "GRECALE"},
    {"80", "15.400", "LAGO ROTONDO"},
    {"", "16.300", "LAGO ARENELLE"},
    {"", "17.000", "LAGO NEVI"},
    {"", "18.000", "VALFIORITA"},
};

// Speeds end at column 6, chainages at column 22, names start at column 37, and the first
// station's time stands at columns 66 to 70.
TEST_F(TrainCardLayout, StationRowsPlaceTheirTextInTheirColumns) {
  for (std::size_t i = 0; i < std::size(kCardRows); ++i) {
    const CardRow& row = kCardRows[i];
    const std::string& line = lines.at(17 + i);
    SCOPED_TRACE(line);
    const std::vector<std::string> expected = {
        right(row.speed, 4) + " ",
        std::string(5, ' '),
        right(row.chainage, 8) + "  ",
        std::string(5, ' '),
        std::string(5, ' ') + left(row.name, 23),
        i == 0 ? "     12.10      " : std::string(16, ' '),
        std::string(5, ' '),
    };
    EXPECT_EQ(cells_of(line), expected);
  }
}

}  // namespace
}  // namespace sb::test
