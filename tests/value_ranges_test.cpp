// The value tables of the author's manual against the reader: every range a table documents
// has a check that tells the author about a value outside it (a fault or a warning, shown here
// by an entry that gives it), or a stated reason why it needs none.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "driver/explanations.h"
#include "example_compile.h"
#include "manual_examples.h"

namespace sb::test {
namespace {

// One row of a value table: the table (the entry it documents), the row's first cell (its
// number, or the entry), and what a value outside the range gives: "fault=N" or
// "warning=NAME" with an example, or nothing and the reason.
struct RangeCheck {
  std::string table = {};
  std::string row = {};
  std::string gives = {};
  std::string line_body = {};   // line-file body entries of the example ("" for none)
  std::string train_body = {};  // train-file entries of the example
  std::string reason = {};
  std::string general = "lunghezza percorso, 10000\n";
  std::vector<std::string> also = {};  // other warnings the example gives
};

std::string station(const std::string& values) {
  return "stazione, " + values + "\n";
}

const std::vector<RangeCheck>& checks() {
  static const std::string long_text(65536, 'A');
  static const std::vector<RangeCheck> table = {
      {"lunghezza percorso",
       "1",
       "warning=value-range",
       "",
       "",
       "",
       "lunghezza percorso, -100\n",
       {"in-run-out"}},
      {"progressiva chilometrica", "1", "fault=2", "", "", "",
       "lunghezza percorso, 10000\nprogressiva chilometrica uno, 25, 100, 0\n"},
      {"progressiva chilometrica", "2", "fault=2", "", "", "",
       "lunghezza percorso, 10000\nprogressiva chilometrica uno, 0, 25, 0\n"},
      {"progressiva chilometrica", "3", "", "", "",
       "any third value is stored as read; only 1 has a meaning, and no other one is wrong"},
      {"sfondo", "`sfondo uno`", "", "", "", "every 32-bit number is stored as read"},
      {"sfondo", "`sfondo due`", "", "", "", "every 32-bit number is stored as read"},
      {"sfondo", "`sfondo tre`", "", "", "", "every 32-bit number is stored as read"},
      {"ripetizione segnali 4 codici", "1", "fault=3", "", "", "",
       "lunghezza percorso, 10000\nripetizione segnali 4 codici, 75, 0\n"},
      {"ripetizione segnali 4 codici", "2", "fault=4", "", "", "",
       "lunghezza percorso, 10000\nripetizione segnali 4 codici, 0, 75\n"},
      {"ripetizione segnali 4 codici", "", "fault=5", "", "", "",
       "lunghezza percorso, 10000\nripetizione segnali codici, 50, 100\n"},
      {"pendenza", "1", "fault=15", "pendenza, 16950, 1\n", ""},
      {"pendenza", "2", "warning=value-wrapped", "pendenza, 2000, 250\n", ""},
      {"curvad4", "1", "fault=15", "curvad4, 16950, 10\n", ""},
      {"curvad4", "2", "warning=value-range", "curvad4, 2000, 0\n", ""},
      {"montagna", "1", "fault=15", "montagna, 16950, 17000, 1\n", ""},
      {"montagna", "2", "fault=25", "montagna, 1000, 999999, 1\n", ""},
      {"montagna", "3", "warning=value-wrapped", "montagna, 1000, 2000, 300\n", ""},
      {"indicatori_vmax", "1", "fault=15", "indicatori_vmax, 16950, 80,80,80,0, 80,80,80,0\n", ""},
      {"indicatori_vmax", "2", "warning=value-wrapped",
       "indicatori_vmax, 3000, 52,80,80,0, 0,80,80,0\n", ""},
      {"indicatori_vmax", "3", "warning=value-wrapped",
       "indicatori_vmax, 3000, 80,52,80,0, 80,80,80,0\n", ""},
      {"indicatori_vmax", "4", "warning=value-wrapped",
       "indicatori_vmax, 3000, 80,80,52,0, 80,80,80,0\n", ""},
      {"indicatori_vmax", "5", "warning=value-range",
       "indicatori_vmax, 3000, 80,80,80,12, 80,80,80,0\n", ""},
      {"indicatori_vmax", "6", "warning=value-wrapped",
       "indicatori_vmax, 3000, 80,80,80,0, 52,80,80,0\n", ""},
      {"indicatori_vmax", "7", "warning=value-wrapped",
       "indicatori_vmax, 3000, 80,80,80,0, 80,101,80,0\n", ""},
      {"indicatori_vmax", "8", "warning=value-wrapped",
       "indicatori_vmax, 3000, 80,80,80,0, 80,80,52,0\n", ""},
      {"indicatori_vmax", "9", "warning=value-range",
       "indicatori_vmax, 3000, 80,80,80,0, 80,80,80,10\n", ""},
      {"indicatore cartello", "1", "fault=15", "indicatore cartello, 16950, BIVIO\n", ""},
      {"indicatore cartello", "2", "fault=25", "indicatore cartello, 3000, " + long_text + "\n",
       ""},
      {"velocita", "1", "fault=15", "", "velocita, 16950, 60\n"},
      {"velocita", "2", "fault=25", "", "velocita, 3000, 1280\n"},
      {"aderenza", "1", "fault=15", "", "aderenza, 16950, 100\n"},
      {"aderenza", "2", "warning=value-wrapped", "", "aderenza, 3000, 300\n"},
      {"abbattimento", "1", "fault=15", "", "abbattimento, 16950, 60\n"},
      {"abbattimento", "2", "warning=value-wrapped", "", "abbattimento, 3000, 40000\n"},
      {"stazione", "1", "fault=8", "",
       station("1025, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,0,0, A")},
      {"stazione", "2", "fault=25", "",
       station("1000, 256, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,0,0, A")},
      {"stazione", "3", "fault=9", "",
       station("1000, 28, 350, 0,0,0, 0,0,0, 0,0,0, 60, 12,0,0, A")},
      {"stazione", "4", "fault=25", "",
       station("1000, 28, 300, 256,0,0, 0,0,0, 0,0,0, 60, 12,0,0, A")},
      {"stazione", "5", "fault=25", "",
       station("1000, 28, 300, 0,-1,0, 0,0,0, 0,0,0, 60, 12,0,0, A")},
      {"stazione", "6", "fault=25", "",
       station("1000, 28, 300, 0,0,300, 0,0,0, 0,0,0, 60, 12,0,0, A")},
      {"stazione", "7", "fault=25", "",
       station("1000, 28, 300, 0,0,0, 40000,0,0, 0,0,0, 60, 12,0,0, A")},
      {"stazione", "8", "fault=25", "",
       station("1000, 28, 300, 0,0,0, 0,-40000,0, 0,0,0, 60, 12,0,0, A")},
      {"stazione", "9", "fault=25", "",
       station("1000, 28, 300, 0,0,0, 0,0,256, 0,0,0, 60, 12,0,0, A")},
      {"stazione", "10", "fault=25", "",
       station("1000, 28, 300, 0,0,0, 0,0,0, 40000,0,0, 60, 12,0,0, A")},
      {"stazione", "11", "fault=25", "",
       station("1000, 28, 300, 0,0,0, 0,0,0, 0,40000,0, 60, 12,0,0, A")},
      {"stazione", "12", "fault=25", "",
       station("1000, 28, 300, 0,0,0, 0,0,0, 0,0,40000, 60, 12,0,0, A")},
      {"stazione", "13", "fault=25", "",
       station("1000, 28, 300, 0,0,0, 0,0,0, 0,0,0, 256, 12,0,0, A")},
      {"stazione", "14", "warning=time-of-day", "",
       station("1000, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 25,0,0, A")},
      {"stazione", "15", "warning=time-of-day", "",
       station("1000, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 8,75,0, A")},
      {"stazione", "16", "warning=time-of-day", "",
       station("1000, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 8,0,-1, A")},
      {"stazione", "17", "fault=25", "",
       station("1000, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,0,0, " + long_text)},
      {"segnale", "1", "fault=15", "", "segnale, 16950, 0, 1,0,0, 0, 0, 1,0,0, 0\n"},
      {"segnale", "2", "warning=value-range", "", "segnale, 5000, 3, 1,0,0, 0, 0, 1,0,0, 0\n"},
      {"segnale", "3", "warning=value-range", "", "segnale, 5000, 0, 12,0,0, 0, 0, 1,0,0, 0\n"},
      {"segnale", "4", "warning=value-range", "", "segnale, 5000, 0, 1,-1,0, 0, 0, 1,0,0, 0\n"},
      {"segnale", "5", "warning=value-range", "", "segnale, 5000, 0, 1,0,10, 0, 0, 1,0,0, 0\n"},
      {"segnale", "6", "warning=value-range", "", "segnale, 5000, 0, 1,0,0, 10, 0, 1,0,0, 0\n"},
      {"segnale", "7", "warning=value-range", "", "segnale, 5000, 0, 1,0,0, 0, 3, 1,0,0, 0\n"},
      {"segnale", "8", "warning=value-range", "", "segnale, 5000, 0, 1,0,0, 0, 0, 10,0,0, 0\n"},
      {"segnale", "9", "warning=value-range", "", "segnale, 5000, 0, 1,0,0, 0, 0, 1,10,0, 0\n"},
      {"segnale", "10", "warning=value-range", "", "segnale, 5000, 0, 1,0,0, 0, 0, 1,0,10, 0\n"},
      {"segnale", "11", "warning=value-wrapped", "",
       "segnale, 5000, 2, 3, 0, 0, 0, 2, 2, 0, 0, 300\n"},
      {"rallentamento", "1", "fault=15", "", "rallentamento, 16950, 30, 400, 0, 0, 0\n"},
      {"rallentamento", "2", "warning=value-wrapped", "",
       "rallentamento, 5000, 40000, 400, 0, 0, 0\n"},
      {"rallentamento", "3", "warning=slow-order-length", "",
       "rallentamento, 5000, 30, -300, 0, 0, 0\n"},
      {"rallentamento", "4", "warning=value-wrapped", "",
       "rallentamento, 5000, 30, 400, 70000, 0, 0\n"},
      {"rallentamento", "5", "", "", "",
       "every value means something: 0 no pre-warning cells, any other value four of them"},
      {"rallentamento", "6", "warning=value-wrapped", "",
       "rallentamento, 5000, 30, 400, 0, 0, 40000\n"},
  };
  return table;
}

std::vector<std::string> cells_of(const std::string& row) {
  std::vector<std::string> cells;
  std::size_t begin = 1;
  while (begin < row.size()) {
    const std::size_t end = row.find('|', begin);
    if (end == std::string::npos) break;
    std::string cell = row.substr(begin, end - begin);
    const std::size_t first = cell.find_first_not_of(' ');
    const std::size_t last = cell.find_last_not_of(' ');
    cells.push_back(first == std::string::npos ? "" : cell.substr(first, last - first + 1));
    begin = end + 1;
  }
  return cells;
}

// The table a heading documents: the keyword of a "#### `keyword`" heading (its first word
// group, as "progressiva chilometrica"), or the entry of a chapter.
std::string table_of(const std::string& heading) {
  if (heading.find("Stations") != std::string::npos) return "stazione";
  if (heading.find("Signals") != std::string::npos) return "segnale";
  if (heading.find("Slow orders") != std::string::npos) return "rallentamento";
  const std::size_t open = heading.find('`');
  if (open == std::string::npos) return heading;
  std::string name = heading.substr(open + 1, heading.find('`', open + 1) - open - 1);
  for (const char* group : {"progressiva chilometrica", "sfondo"}) {
    if (name.rfind(group, 0) == 0) return group;
  }
  return name;
}

struct ManualRow {
  std::string where;
  std::string range;  // the Range cell, "as above" resolved
};

// Every row of the manual's tables that have a Range column, by table and first cell.
std::map<std::pair<std::string, std::string>, ManualRow> manual_rows() {
  std::map<std::pair<std::string, std::string>, ManualRow> rows;
  const std::vector<std::string> lines = lines_of(read_bytes(kManual));
  std::string heading;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind("#", 0) == 0) heading = lines[i];
    if (lines[i].rfind("|", 0) != 0) continue;
    const std::vector<std::string> head = cells_of(lines[i]);
    std::size_t range = 0;
    while (range < head.size() && head[range] != "Range") ++range;
    std::size_t k = i + 2;  // past the header and its rule
    for (std::string above; range < head.size() && k < lines.size() && lines[k].rfind("|", 0) == 0;
         ++k) {
      const std::vector<std::string> cells = cells_of(lines[k]);
      if (cells.size() <= range) continue;
      std::string text = cells[range];
      if (text == "as above") text = above;
      if (text.rfind("as row ", 0) == 0) text = rows[{table_of(heading), text.substr(7)}].range;
      above = text;
      rows[{table_of(heading), cells[0]}] = {kManual + ":" + std::to_string(k + 1), text};
    }
    i = k;
  }
  return rows;
}

TEST(ValueRanges, EveryRangeOfTheManualHasACheckOrAReason) {
  const auto rows = manual_rows();
  ASSERT_GT(rows.size(), 50u);
  std::map<std::pair<std::string, std::string>, const RangeCheck*> listed;
  for (const RangeCheck& c : checks()) listed[{c.table, c.row}] = &c;
  for (const auto& [key, row] : rows) {
    SCOPED_TRACE(row.where + ": " + key.first + " " + key.second + ": " + row.range);
    const auto it = listed.find(key);
    ASSERT_NE(it, listed.end()) << "a range of the manual that no check or reason covers";
    const RangeCheck& c = *it->second;
    if (c.gives.empty()) {
      EXPECT_FALSE(c.reason.empty());
      continue;
    }
    // The manual names what a value outside the range gives (a range check is fault 15).
    if (c.gives.rfind("warning=", 0) == 0) {
      EXPECT_NE(row.range.find("warning `" + c.gives.substr(8) + "`"), std::string::npos);
    } else if (c.gives != "fault=15") {
      EXPECT_NE(row.range.find("fault " + c.gives.substr(6)), std::string::npos);
    } else {
      EXPECT_NE(row.range.find("range check"), std::string::npos);
    }
  }
  for (const RangeCheck& c : checks()) {
    EXPECT_EQ(rows.count({c.table, c.row}), 1u)
        << c.table << " " << c.row << " is not in the manual";
  }
}

TEST(ValueRanges, EachCheckIsWhatAValueOutsideTheRangeGives) {
  const std::string fine = "[fine]\n";
  const std::string train_head(
      kSmallestTrainFile.substr(0, kSmallestTrainFile.size() - fine.size()));
  for (const RangeCheck& c : checks()) {
    if (c.gives.empty()) continue;
    SCOPED_TRACE(c.table + " " + c.row);
    const std::string line = "[generale]\n" + c.general + "[tracciato]\n" + c.line_body + fine;
    const Diagnosis d = compile_scenario(line, train_head + c.train_body + fine);
    if (c.gives.rfind("warning=", 0) == 0) {
      // A speed that spills into the other side's speed gives a warning for each.
      EXPECT_EQ(d.status, 0) << d.err;
      EXPECT_FALSE(d.warnings.empty()) << d.err;
      const std::string name = c.gives.substr(8);
      EXPECT_NE(std::find(d.warnings.begin(), d.warnings.end(), name), d.warnings.end()) << d.err;
      for (const std::string& w : d.warnings) {
        if (w != name) {
          EXPECT_NE(std::find(c.also.begin(), c.also.end(), w), c.also.end()) << d.err;
        }
      }
    } else {
      EXPECT_EQ(d.status, 1) << d.err;
      EXPECT_EQ(d.faults, std::vector<std::int32_t>{std::stoi(c.gives.substr(6))}) << d.err;
    }
  }
}

}  // namespace
}  // namespace sb::test
