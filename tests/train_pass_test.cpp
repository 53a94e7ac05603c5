// The train pass on the built-in train file and on small fixtures.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "reader_fixture.h"
#include "writers/builtin_sources.h"

namespace sb::test {
namespace {

class BuiltinTrain : public ReaderTest {
 protected:
  void SetUp() override {
    write_scenario_sources(s);
    s.write_geometry = 1;
    memorizza_dati(s);
    ASSERT_EQ(s.error_code, 0);
  }
};

TEST_F(BuiltinTrain, SpeedAndAdhesionCoverAllButTheLastThreeCells) {
  for (int n = 0; n <= 497; ++n) {
    ASSERT_EQ(cell(n).speed_limit, 6) << n;
    ASSERT_EQ(cell(n).adhesion, 100) << n;
  }
  for (int n = 498; n <= 500; ++n) {
    EXPECT_EQ(cell(n).speed_limit, 0) << n;
    EXPECT_EQ(cell(n).adhesion, 0) << n;
  }
}

TEST_F(BuiltinTrain, GeneralData) {
  EXPECT_EQ(slot(84).start_m, 100);
  EXPECT_EQ(slot(84).end_m, 18000);
  EXPECT_EQ(slot(84).position_m, 3);
  EXPECT_EQ(slot(86).param_d, 0);
  EXPECT_EQ(slot(86).param_g, 12);
  EXPECT_EQ(slot(86).param_h, 9);
  EXPECT_EQ(slot(86).param_i, 50);
  EXPECT_EQ(slot(86).name, "LINEA 7");
}

TEST_F(BuiltinTrain, TwentyTwoStations) {
  struct Expected {
    int p, kind;
    const char* name;
  };
  const Expected stations[] = {
      {0, 22, "ROCCALTA"},
      {800, 28, "VIA DEI GELSI"},
      {1500, 28, "S. ANNA DEL CARPINETO"},
      {2250, 28, "CERRETELLA"},
      {2900, 28, "POGGI DI ROVERE"},
      {3600, 28, "PIOPPETELLO"},
      {4350, 26, "ROVERELLA"},
      {5100, 26, "MIRTETO"},
      {5900, 26, "BELVEDERINO"},
      {6600, 26, "PORTA DEI PESCI"},
      {7250, 26, "FAGGETO"},
      {8200, 26, "SALICI"},
      {8850, 26, "ANFORETO"},
      {9900, 26, "TEATRO MINORE"},
      {10800, 22, "OBELISCO"},
      {12000, 22, "FRASCHETTA"},
      {13000, 22, "PIEVE S. MARCELLO"},
      {13700, 22, "GRECALE"},
      {15400, 22, "LAGO ROTONDO"},
      {16300, 26, "LAGO ARENELLE"},
      {17000, 26, "LAGO NEVI"},
      {18000, 6, "VALFIORITA"},
  };
  for (int k = 1; k <= 22; ++k) {
    const Expected& e = stations[k - 1];
    const StationRecord& r = slot(k);
    SCOPED_TRACE(e.name);
    EXPECT_EQ(r.position_m, e.p);
    EXPECT_EQ(r.kind, e.kind);
    EXPECT_EQ(r.name, e.name);
    if (k == 1) {
      EXPECT_EQ(r.start_m, -200);
      EXPECT_EQ(r.end_m, 200);
    } else if (k == 22) {
      EXPECT_EQ(r.start_m, 17600);
      EXPECT_EQ(r.end_m, 18150);
    } else {
      EXPECT_EQ(r.start_m, e.p - 150);
      EXPECT_EQ(r.end_m, e.p + 150);
    }
  }
  EXPECT_EQ(slot(1).time_s, 12 * 3600 + 10 * 60);
  EXPECT_EQ(slot(2).time_s, 43861);
  EXPECT_EQ(slot(1).param_g, 4);
  EXPECT_EQ(slot(1).param_j, 1);
  EXPECT_EQ(slot(22).param_d, 1);
  EXPECT_EQ(slot(22).param_e, 1);
  EXPECT_EQ(slot(23), StationRecord{});
  EXPECT_EQ(slot(0), StationRecord{});
}

TEST_F(BuiltinTrain, StopCellsAndApproachMarks) {
  // Slot and stop cell of every station that marks cells: the first, the kind-22 ones and
  // the last.
  const std::pair<int, int> stops[] = {{1, 3},    {15, 218}, {16, 242}, {17, 262},
                                       {18, 276}, {19, 310}, {22, 362}};
  std::vector<int> expected_cells, cells;
  for (const auto& [station_slot, n] : stops) {
    expected_cells.push_back(n);
    EXPECT_EQ(cell(n).value1, station_slot) << n;
  }
  for (int n = 0; n <= 500; ++n) {
    if (cell(n).kind == kStationStop) cells.push_back(n);
  }
  EXPECT_EQ(cells, expected_cells);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(cell(218 - k).approach_mark, 80 + k) << k;
  EXPECT_EQ(cell(2).approach_mark, 81);
  EXPECT_EQ(cell(1).approach_mark, 0);
  EXPECT_EQ(cell(361).approach_mark, 0);
}

TEST_F(BuiltinTrain, Signal) {
  const TrackCell& t = cell(294);
  EXPECT_EQ(t.kind, kSignal);
  EXPECT_EQ(t.value1, 32);
  EXPECT_EQ(t.value2, 0);
  EXPECT_EQ(t.value3, 0);
  EXPECT_EQ(t.value4, 8);
  EXPECT_EQ(t.signal_time, 0);
  EXPECT_EQ(t.speed_limit, 6);
  EXPECT_EQ(t.adhesion, 100);
  EXPECT_EQ(t.gradient, 100);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(cell(294 - 2 * k).approach_mark, 80 + k) << k;
}

// ---- Speed and adhesion lists ----

TEST_F(ReaderTest, SpeedListWithPositionsThatDoNotIncrease) {
  read_train(train_file_with(
      {"velocita, 0, 30", "velocita, 25, 35", "velocita, 1000, 50", "velocita, 500, 80"}));
  ASSERT_EQ(s.error_code, 0);
  // 25 m rounds to cell 0: that entry fills nothing and only sets the speed.
  for (int n = 0; n <= 19; ++n) ASSERT_EQ(cell(n).speed_limit, 7) << n;
  // An entry behind the index still writes one cell.
  EXPECT_EQ(cell(20).speed_limit, 10);
  for (int n = 21; n <= 497; ++n) ASSERT_EQ(cell(n).speed_limit, 16) << n;
  EXPECT_EQ(cell(498).speed_limit, 0);
}

TEST_F(ReaderTest, SpeedListStopsAtTheEndOfTheTable) {
  std::vector<std::string> body{"velocita, 24900, 30"};
  for (int k = 0; k < 5; ++k) body.push_back("velocita, 24900, " + std::to_string(40 + 5 * k));
  read_train(train_file_with(body));
  ASSERT_EQ(s.error_code, 0);
  EXPECT_EQ(cell(497).speed_limit, 0);  // the running speed before the list was 0
  EXPECT_EQ(cell(498).speed_limit, 6);
  EXPECT_EQ(cell(499).speed_limit, 8);
  // The end-of-pass fill writes one cell where the index stands.
  EXPECT_EQ(cell(500).speed_limit, 12);
}

TEST_F(ReaderTest, AdhesionList) {
  read_train(train_file_with({"aderenza, 20, 80", "aderenza, 1000, 300", "aderenza, 100, 90"}));
  ASSERT_EQ(s.error_code, 0);
  for (int n = 0; n <= 19; ++n) ASSERT_EQ(cell(n).adhesion, 80) << n;
  EXPECT_EQ(cell(20).adhesion, 300 - 256);
  for (int n = 21; n <= 497; ++n) ASSERT_EQ(cell(n).adhesion, 90) << n;
  EXPECT_EQ(cell(498).adhesion, 0);
}

TEST_F(ReaderTest, AdhesionPushedPastTheTableFails) {
  // Every entry at 100 m writes one more cell; the 501st would write cell 501.
  read_train(train_file_with(std::vector<std::string>(501, "aderenza, 100, 50")));
  EXPECT_EQ(s.error_code, 25);
  EXPECT_EQ(cell(500).adhesion, 50);
  EXPECT_FALSE(train_file_left());
}

TEST(TrainPassRunningValues, CarriedOverFromTheLinePass) {
  struct Case {
    const char* name;
    std::vector<std::string> line_body;
    std::uint8_t speed, adhesion;
  };
  const Case cases[] = {
      {"nothing in the line file", {}, 0, 0},
      {"speed board last",
       {"montagna, 100, 200, 2", "indicatori_vmax, 400, 60, 80, 80, 7, 80, 80, 80, 0"},
       12,
       7},
      {"stretch last",
       {"indicatori_vmax, 400, 60, 80, 80, 7, 80, 80, 80, 0", "montagna, 100, 200, 2"},
       40,
       7},
      {"taken even when the entry fails the range check", {"montagna, 30000, 250, 2"}, 50, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReaderRun r;
    r.read(line_file_with(c.line_body),
           train_file_with({"velocita, 1000, 30", "aderenza, 1000, 100"}));
    for (int n = 0; n <= 19; ++n) {
      ASSERT_EQ(r.cell(n).speed_limit, c.speed) << n;
      ASSERT_EQ(r.cell(n).adhesion, c.adhesion) << n;
    }
    EXPECT_EQ(r.cell(20).speed_limit, 6);
    EXPECT_EQ(r.cell(20).adhesion, 100);
  }
}

TEST(TrainPassSpeed, FifthOutsideAByteFails) {
  for (const auto& [speed, code] :
       {std::pair{1277, 0}, std::pair{1278, 25}, std::pair{-2, 0}, std::pair{-3, 25}}) {
    SCOPED_TRACE(speed);
    ReaderRun r;
    r.read_train(train_file_with({"velocita, 0, " + std::to_string(speed)}));
    EXPECT_EQ(r.s.error_code, code);
    EXPECT_FALSE(r.train_file_left());
  }
}

// ---- General data and keyword recognition ----

TEST_F(ReaderTest, GeneralEntriesAreCaseInsensitive) {
  read_train(train_file_with({"Numero VETTURE, 4", "massa frenata in percentuale, 80", "massa, 70",
                              "SABBIA, -3", "Orologio, 1 2 3"}));
  ASSERT_EQ(s.error_code, 0);
  EXPECT_EQ(slot(84).position_m, 4);
  EXPECT_EQ(slot(84).start_m, 80);
  EXPECT_EQ(slot(86).param_d, -3);
  EXPECT_EQ(slot(86).param_g, 1);
  EXPECT_EQ(slot(86).param_h, 2);
  EXPECT_EQ(slot(86).param_i, 3);
}

TEST_F(ReaderTest, SeparatorsBeforeTrainEntries) {
  read_train(train_file_with({"---", "sabbia, 5", "-a-,-b-,vetture-x, 6"}));
  ASSERT_EQ(s.error_code, 0);
  EXPECT_EQ(slot(86).param_d, 5);
  // At most two separators are passed over: the third field is the keyword.
  EXPECT_EQ(slot(84).position_m, 6);
}

TEST_F(ReaderTest, LastLineOfTheTrainFile) {
  // The values of an entry on the last line are read ...
  read_train(crlf({"[generale]", "numero vetture, 3", "sabbia,    7"}));
  EXPECT_EQ(s.error_code, 0);
  EXPECT_EQ(slot(86).param_d, 7);
  // ... but a keyword field that is the last field is not interpreted.
  ReaderRun r;
  r.read_train(crlf({"[generale]", "numero vetture"}));
  EXPECT_EQ(r.s.error_code, 0);
  EXPECT_EQ(r.slot(84).position_m, 0);
}

TEST_F(ReaderTest, WithoutGeneralSectionOnlyTheFillsRun) {
  // The speed board leaves the running adhesion at 7 for the end-of-pass fill.
  read(line_file_with({"indicatori_vmax, 400, 60, 80, 80, 7, 80, 80, 80, 0"}),
       crlf({"numero vetture, 3", "[fine]"}));
  EXPECT_EQ(s.error_code, 0);
  EXPECT_EQ(slot(84).position_m, 0);
  EXPECT_FALSE(train_file_left());
  EXPECT_EQ(cell(497).adhesion, 7);
  EXPECT_EQ(cell(497).speed_limit, 12);
}

TEST_F(ReaderTest, MissingTrainFileIsARunTimeFailure) {
  read(line_file_with({}), "");
  EXPECT_EQ(s.error_code, 25);
  EXPECT_FALSE(line_file_left());
}

TEST_F(ReaderTest, KeywordFieldMatchingTwoTestsRunsBoth) {
  read_train(train_file_with(
      {"segnale rallentamento, 14650, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0, 5000, 30, 400, 1, 1, 0",
       "sabbia, 4"}));
  ASSERT_EQ(s.error_code, 0);
  EXPECT_EQ(cell(294).kind, kSignal);
  EXPECT_EQ(cell(101).kind, kSlowOrderStart);
  EXPECT_EQ(cell(109).kind, kSlowOrderEnd);
  EXPECT_EQ(slot(86).param_d, 4);
}

TEST_F(ReaderTest, SlowOrderExample) {
  read_train(train_file_from_origin({"rallentamento, 5000, 30, 400, 1, 1, 0"}));
  ASSERT_EQ(s.error_code, 0);
  EXPECT_EQ(cell(101).kind, kSlowOrderStart);
  EXPECT_EQ(cell(109).kind, kSlowOrderEnd);
  EXPECT_EQ(cell(101).value1, 30);
  EXPECT_EQ(cell(109).value3, 1);
  EXPECT_EQ(cell(77).kind, kWarningBoard);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(cell(76 - k).kind, kPreWarning) << k;
  EXPECT_EQ(cell(101).speed_limit, 6);
}

// ---- Faults of the train pass ----

struct TrainFault {
  const char* name;
  std::vector<std::string> body;  // after the speed and adhesion lists
  std::int32_t code, position;
  bool fills_ran;
};

const TrainFault kTrainFaults[] = {
    {"signal beyond the table", {"segnale, 24901, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0"}, 15, 24901, true},
    {"slow order beyond the table", {"rallentamento, 24901, 30, 400, 1, 1, 0"}, 15, 24901, true},
    {"abbattimento beyond the table", {"abbattimento, 24901, 0"}, 15, 24901, true},
    {"speed entry beyond the table", {"velocita, 24901, 40"}, 15, 24901, true},
    {"second signal on a cell",
     {"segnale, 5000, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0", "segnale, 5010, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0"},
     16,
     5010,
     false},
    {"slow-order warning on a signal",
     {"segnale, 3800, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0", "rallentamento, 5000, 30, 400, 1, 1, 0"},
     17,
     5000,
     false},
    {"slow-order start on an earlier end",
     {"rallentamento, 4600, 30, 400, 1, 0, 0", "rallentamento, 5000, 30, 400, 1, 0, 0"},
     18,
     5000,
     false},
    {"slow-order end on a signal",
     {"segnale, 5400, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0", "rallentamento, 5000, 30, 400, 1, 1, 0"},
     19,
     5000,
     false},
    {"pre-warning on a station stop",
     {"stazione, 3650, 22, 300, 0, 0, 0, 0,0,0, 0,0,0, 0, 12,0,0, A",
      "rallentamento, 5000, 30, 400, 1, 1, 0"},
     20,
     5000,
     false},
    {"abbattimento on a signal",
     {"segnale, 14650, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0", "abbattimento, 14700, 0"},
     7,
     14700,
     false},
};

TEST(TrainPassFaults, StopOrEndThePass) {
  for (const TrainFault& f : kTrainFaults) {
    SCOPED_TRACE(f.name);
    ReaderRun r;
    std::vector<std::string> body{"velocita, 0, 30", "aderenza, 0, 100"};
    body.insert(body.end(), f.body.begin(), f.body.end());
    body.push_back("numero vetture, 9");  // never reached
    r.read_train(train_file_with(body));
    EXPECT_EQ(r.s.error_code, f.code);
    EXPECT_EQ(r.s.error_position, f.position);
    EXPECT_FALSE(r.train_file_left());
    EXPECT_EQ(r.slot(84).position_m, 0);
    EXPECT_EQ(r.cell(0).speed_limit, f.fills_ran ? 6 : 0);
    EXPECT_EQ(r.cell(497).adhesion, f.fills_ran ? 100 : 0);
  }
}

TEST_F(ReaderTest, PreWarningFaultLeavesTheOtherMarks) {
  read_train(train_file_with({"stazione, 3650, 22, 300, 0, 0, 0, 0,0,0, 0,0,0, 0, 12,0,0, A",
                              "rallentamento, 5000, 30, 400, 1, 1, 0"}));
  ASSERT_EQ(s.error_code, 20);
  EXPECT_EQ(cell(75).kind, kStationStop);
  EXPECT_EQ(cell(101).kind, kSlowOrderStart);
  EXPECT_EQ(cell(109).kind, kSlowOrderEnd);
  EXPECT_EQ(cell(77).kind, kWarningBoard);
  EXPECT_EQ(cell(76).kind, kPlain);
}

TEST(TrainPassAfterRangeFault, SignalOrSlowOrderStopsThePass) {
  struct Case {
    const char* name;
    std::vector<std::string> body;
    std::int32_t position;
    bool fills_ran;
  };
  const Case cases[] = {
      {"no signal", {"sabbia, 3"}, 24901, true},
      {"signal", {"segnale, 5000, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0", "sabbia, 3"}, 5000, false},
      {"slow order", {"rallentamento, 6000, 30, 400, 1, 0, 0", "sabbia, 3"}, 6000, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReaderRun r;
    r.read(line_file_with({"pendenza, 24901, 1"}), train_file_from_origin(c.body));
    EXPECT_EQ(r.s.error_code, 15);
    EXPECT_EQ(r.s.error_position, c.position);
    EXPECT_FALSE(r.train_file_left());
    EXPECT_EQ(r.slot(86).param_d, c.fills_ran ? 3 : 0);
    EXPECT_EQ(r.cell(0).speed_limit, c.fills_ran ? 6 : 0);
  }
}

TEST(TrainPassChainageCheck, SecondValueNotAMultipleOf50GivesCode2) {
  struct Case {
    const char* name;
    std::vector<std::string> line_file;
    std::int32_t code, position;
  };
  const Case cases[] = {
      {"clean",
       {"[generale]", "lunghezza percorso, 18000", "progressiva chilometrica uno, 0, 50, 0",
        "[fine]"},
       0,
       0},
      {"second value 25",
       {"[generale]", "lunghezza percorso, 18000", "progressiva chilometrica uno, 0, 25, 0",
        "[fine]"},
       2,
       0},
      {"first value 1030",
       {"[generale]", "lunghezza percorso, 18000", "progressiva chilometrica due, 1030, 0, 0",
        "[fine]"},
       2,
       0},
      {"replaces a range fault",
       {"[generale]", "lunghezza percorso, 18000", "progressiva chilometrica tre, 0, 25, 0", "[x]",
        "pendenza, 24901, 1", "[fine]"},
       2,
       24901},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReaderRun r;
    r.read(crlf(c.line_file), train_file_with({}));
    EXPECT_EQ(r.s.error_code, c.code);
    EXPECT_EQ(r.s.error_position, c.position);
  }
}

// ---- "abbattimento" points ----

TEST_F(ReaderTest, AbbattimentoPoints) {
  read(line_file_with({"montagna, 0, 250, 12"}),
       train_file_with({"abbattimento, 5000, 300", "abbattimento, 6000, 0",
                        "abbattimento, 25, 70000", "abbattimento, 150, -5"}));
  ASSERT_EQ(s.error_code, 0);
  // round(x / 50): one cell earlier than signals and slow orders.
  EXPECT_EQ(cell(100).kind, kAbbattimento);
  EXPECT_EQ(cell(100).value1, 300);
  EXPECT_EQ(cell(101).kind, kPlain);
  EXPECT_EQ(cell(120).kind, kAbbattimentoNoValue);
  EXPECT_EQ(cell(120).value1, 0);
  EXPECT_EQ(cell(0).kind, kAbbattimento);
  EXPECT_EQ(cell(0).value1, static_cast<std::int16_t>(70000 - 65536));
  // Cell 3 held a mountain-side marker.
  EXPECT_EQ(cell(3).kind, kAbbattimentoNoValue);
}

TEST(TrainPassFailures, TakeTheCommonPath) {
  struct Case {
    const char* name;
    std::vector<std::string> body;
  };
  const Case cases[] = {
      {"number with letters", {"numero vetture, 12abc"}},
      {"empty number field", {"numero vetture,", "[x]"}},
      {"sand beyond 16 bits", {"sabbia, 40000"}},
      {"clock beyond 16 bits", {"orologio, 12 9 -32769"}},
      {"negative signal position", {"segnale, -100, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0"}},
      {"negative abbattimento position", {"abbattimento, -100, 3"}},
      {"slow order ending beyond the table", {"rallentamento, 24000, 30, 1000, 1, 0, 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReaderRun r;
    r.read_train(train_file_with(c.body));
    EXPECT_EQ(r.s.error_code, 25);
    EXPECT_EQ(r.s.error_position, 0);
    EXPECT_FALSE(r.train_file_left());
    EXPECT_FALSE(r.line_file_left());
  }
  // A file cut in the middle of an entry.
  ReaderRun r;
  r.read_train(crlf({"[generale]", "segnale, 5000, 2, 3"}));
  EXPECT_EQ(r.s.error_code, 25);
  EXPECT_EQ(r.cell(101).kind, kPlain);
}

TEST_F(ReaderTest, TrainFaultsCarryTheirSourceLine) {
  read_train(crlf({"[generale]", "numero vetture, 3", "[stazioni]",
                   "stazione, 0, 26, 300, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, A",
                   "stazione, 2925, 26, 300, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, B", "[fine]"}));
  ASSERT_EQ(s.error_code, 8);
  ASSERT_EQ(s.diagnostics.faults(), 1u);
  const Diagnostic& f = s.diagnostics.items[0];
  EXPECT_EQ(f.code, 8);
  EXPECT_EQ(f.where.file, train_file_name(s));
  EXPECT_EQ(f.where.line, 5);
  EXPECT_EQ(f.where.column, 11);  // the position, not the keyword
  EXPECT_EQ(f.where.width, 4);
  ASSERT_TRUE(f.position.has_value());
  EXPECT_EQ(*f.position, 2925);

  ReaderRun r;
  r.read_train(crlf({"[generale]", "sabbia, 1", "", "velocita, 0, 3O", "[fine]"}));
  ASSERT_EQ(r.s.error_code, 25);
  EXPECT_EQ(r.s.diagnostics.last_fault()->where.file, train_file_name(r.s));
  EXPECT_EQ(r.s.diagnostics.last_fault()->where.line, 4);
}

}  // namespace
}  // namespace sb::test
