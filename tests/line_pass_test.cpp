// The line pass on the built-in line file and on small fixtures.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "reader_fixture.h"
#include "writers/builtin_sources.h"

namespace sb::test {
namespace {

class BuiltinRead : public ReaderTest {
 protected:
  void SetUp() override {
    write_scenario_sources(s);
    s.write_geometry = 1;
    memorizza_dati(s);
  }
};

TEST_F(BuiltinRead, ReadsWithoutFaultAndDeletesBothSourceFiles) {
  EXPECT_EQ(s.error_code, 0);
  EXPECT_TRUE(s.diagnostics.items.empty());
  EXPECT_FALSE(line_file_left());
  EXPECT_FALSE(train_file_left());
}

TEST_F(BuiltinRead, SizesTheTablesFromTheRouteLength) {
  EXPECT_EQ(s.extended_length, 25000);
  EXPECT_EQ(s.cell_count, 500);
  EXPECT_EQ(s.track_table.size(), 501u);
  EXPECT_EQ(s.route_matrix.upper(), 25000);
}

TEST_F(BuiltinRead, FillsTheHeaderSlots) {
  EXPECT_EQ(slot(84).end_m, 18000);
  for (int n : {81, 82, 83}) {
    EXPECT_EQ(slot(n).start_m, 0) << n;
    EXPECT_EQ(slot(n).end_m, 0) << n;
    EXPECT_EQ(slot(n).position_m, 0) << n;
  }
  EXPECT_EQ(slot(85).start_m, 1);
  EXPECT_EQ(slot(85).end_m, 0);
  EXPECT_EQ(slot(85).position_m, 0);
  EXPECT_EQ(slot(85).name, "Roccalta_ Valfiorita");
  // The keyword field says 4, but the second value is 0.
  EXPECT_EQ(slot(86).start_m, 0);
  EXPECT_EQ(slot(86).end_m, 0);
  EXPECT_EQ(slot(86).position_m, 0);
  EXPECT_EQ(slot(86).name, "LINEA 7");
}

TEST_F(BuiltinRead, GradientByteCoversAllButTheLastThreeCells) {
  for (int n = 0; n <= 497; ++n) ASSERT_EQ(cell(n).gradient, 100) << n;
  for (int n = 498; n <= 500; ++n) EXPECT_EQ(cell(n).gradient, 0) << n;
}

TEST_F(BuiltinRead, PlacesTheFourSpeedBoards) {
  struct Board {
    int cell;
    std::int16_t value;
  };
  for (const Board b : {Board{9, 1616}, {209, 1212}, {244, 2020}, {314, 1616}}) {
    EXPECT_EQ(cell(b.cell).kind, kSpeedBoard) << b.cell;
    EXPECT_EQ(cell(b.cell).value1, b.value) << b.cell;
    EXPECT_EQ(cell(b.cell).value2, b.value) << b.cell;
    EXPECT_EQ(cell(b.cell).value3, b.value) << b.cell;
    EXPECT_EQ(cell(b.cell).value4, 0) << b.cell;
  }
}

TEST_F(BuiltinRead, RecordsTheFiveStretchesWithTheirMarkers) {
  EXPECT_EQ(s.mountain_count, 5);
  const int starts[] = {3950, 11250, 12350, 14050, 15800};
  const int ends[] = {10600, 11500, 12850, 14300, 17600};
  for (int k = 1; k <= 5; ++k) {
    EXPECT_EQ(s.mountain_start[k], starts[k - 1]) << k;
    EXPECT_EQ(s.mountain_end[k], ends[k - 1]) << k;
  }
  for (int n = 0; n <= 500; ++n) {
    const bool covered = (n >= 79 && n <= 211) || (n >= 225 && n <= 229) ||
                         (n >= 247 && n <= 256) || (n >= 281 && n <= 285) || (n >= 316 && n <= 351);
    EXPECT_EQ(cell(n).mountain_side, covered ? 2 : 0) << n;
    const bool marker =
        (n >= 82 && n <= 210 && (n - 82) % 4 == 0) || (n >= 319 && n <= 351 && (n - 319) % 4 == 0);
    EXPECT_EQ(cell(n).kind == kMountainMarker, marker) << n;
  }
}

TEST_F(BuiltinRead, BuildsTheRoutePlan) {
  const RouteMatrix& m = s.route_matrix;
  EXPECT_EQ(m.tag(0, 0), ElementTag::kInt16);
  EXPECT_EQ(m.tag(1, 1), ElementTag::kInt16);
  EXPECT_EQ(m.number(1, 0), 0.0);
  EXPECT_EQ(m.number(1, 1), 1.0);
  for (int k = 2; k <= 1500; ++k) {
    ASSERT_EQ(m.tag(k, 0), ElementTag::kFloat64) << k;
    ASSERT_EQ(m.number(k, 0), 0.0) << k;
    ASSERT_EQ(m.number(k, 1), k) << k;
  }
  // The first curve, "curvad4,  1500,  550", turns by 0.001 per metre towards the positive
  // first coordinate.
  EXPECT_EQ(m.number(1501, 0), 0.001);
  EXPECT_EQ(m.number(1501, 1), 1501.0);
  EXPECT_EQ(m.number(1502, 0), 0.001 + (0.001 + 0.001 * 1.0));
  EXPECT_EQ(m.number(1502, 1), 1501.0 + (1.0 - 0.001 * 0.001));
  EXPECT_NEAR(m.number(1502, 0), 0.003, 1e-12);
  EXPECT_NEAR(m.number(1502, 1), 1501.999999, 1e-9);
  EXPECT_TRUE(step_at(m, 2050, 0.001));
  EXPECT_TRUE(step_at(m, 2051, 0.0));
  EXPECT_FALSE(step_at(m, 2051, 0.001));
  // The last curve, "curvas3,  17050,  350", ends with point 17400; the rest is straight.
  EXPECT_TRUE(step_at(m, 17400, -0.0004));
  EXPECT_FALSE(step_at(m, 17400, 0.0));
  for (int k = 17401; k <= 24998; ++k) {
    ASSERT_EQ(m.tag(k, 1), ElementTag::kFloat64) << k;
    ASSERT_TRUE(step_at(m, k, 0.0)) << k;
  }
  for (int k : {24999, 25000}) {
    EXPECT_EQ(m.tag(k, 0), ElementTag::kEmpty) << k;
    EXPECT_EQ(m.tag(k, 1), ElementTag::kEmpty) << k;
  }
}

// Faults of the line pass, each from a small line file. A train file is always written, so
// it shows whether the train pass ran (it deletes its file).
struct LineFault {
  const char* name;
  std::optional<std::string> text;  // the whole line file; none: no line file at all
  int geometry;
  std::int32_t code;
  std::optional<std::int32_t> position;
  bool line_file_left;
  bool train_pass_ran;
};

const LineFault kLineFaults[] = {
    {"no line file", std::nullopt, 0, 101, std::nullopt, false, false},
    {"no general section", crlf({"lunghezza percorso, 18000", "[fine]"}), 0, 102, {}, false, false},
    {"general section is the last field", crlf({"x", "[generale]"}), 0, 102, {}, false, false},
    {"only an empty line", crlf({""}), 0, 102, {}, false, false},
    {"no field at all", "", 0, 102, {}, false, false},
    {"route too long",
     crlf({"[generale]", "lunghezza percorso, 1000001", "[fine]"}),
     0,
     1,
     {},
     false,
     false},
    {"first repetition value",
     crlf({"[generale]", "ripetizione segnali 4, 75, 50", "[fine]"}),
     0,
     3,
     {},
     false,
     false},
    {"second repetition value",
     crlf({"[generale]", "ripetizione segnali 4, 50, 75", "[fine]"}),
     0,
     4,
     {},
     false,
     false},
    {"repetition without 4 or 9",
     crlf({"[generale]", "ripetizione segnali, 50, 50", "[fine]"}),
     0,
     5,
     {},
     false,
     false},
    {"curve without class digit",
     crlf({"[generale]", "lunghezza percorso, 18000", "[curve]", "curvad, 1500, 550", "[fine]"}),
     1,
     103,
     {},
     false,
     false},
    {"curve with class digit 7",
     crlf({"[generale]", "lunghezza percorso, 18000", "[curve]", "curvas7, 1500, 550", "[fine]"}),
     1,
     103,
     {},
     false,
     false},
    {"entry beyond the track",
     crlf({"[generale]", "lunghezza percorso, 18000", "[pendenze]", "pendenza, 24901, 3",
           "montagna, 100, 200, 2", "[fine]"}),
     0, 15, 24901, false, true},
    {"signboard on a speed board",
     crlf({"[generale]", "lunghezza percorso, 18000", "[cartelli]",
           "indicatori_vmax, 400, 80, 80, 80, 0, 80, 80, 80, 0", "indicatore cartello, 410, TESTO",
           "[fine]"}),
     0, 6, 410, false, false},
    {"second speed board on a cell",
     crlf({"[generale]", "lunghezza percorso, 18000", "[cartelli]",
           "indicatori_vmax, 400, 80, 80, 80, 0, 80, 80, 80, 0",
           "indicatori_vmax, 420, 60, 60, 60, 0, 60, 60, 60, 0", "[fine]"}),
     0, 21, 420, false, false},
};

TEST(LinePassFaults, EndTheReadingWithTheirCode) {
  for (const LineFault& f : kLineFaults) {
    SCOPED_TRACE(f.name);
    ReaderRun r;
    if (f.text) write_bytes(line_file_name(r.s), *f.text);
    write_bytes(train_file_name(r.s), crlf({"[generale]", "numero vetture, 3", "[fine]"}));
    r.s.write_geometry = f.geometry;
    memorizza_dati(r.s);
    EXPECT_EQ(r.s.error_code, f.code);
    EXPECT_EQ(r.s.error_position, f.position.value_or(0));
    EXPECT_EQ(r.line_file_left(), f.line_file_left);
    EXPECT_EQ(r.train_file_left(), !f.train_pass_ran);
    EXPECT_EQ(r.slot(84).position_m, f.train_pass_ran ? 3 : 0);
    ASSERT_EQ(r.s.diagnostics.faults(), 1u);
    EXPECT_EQ(r.s.diagnostics.items[0].code, f.code);
  }
}

TEST_F(ReaderTest, RangeFaultStillFinishesTheLinePass) {
  read(line_file_with({"pendenza, 24900, 1", "pendenza, 24901, 3", "pendenza, 100, 9"}),
       train_file_with({}), 1);
  EXPECT_EQ(s.error_code, 15);
  EXPECT_EQ(s.error_position, 24901);
  // The entry at 24900 was taken, and the tail fill still writes one cell with its gradient;
  // the entry after the fault was not read.
  for (int n = 0; n <= 497; ++n) ASSERT_EQ(cell(n).gradient, 100) << n;
  EXPECT_EQ(cell(498).gradient, 101);
  EXPECT_EQ(cell(499).gradient, 0);
  // The extension of the route plan ran.
  EXPECT_EQ(s.route_matrix.tag(24998, 0), ElementTag::kFloat64);
  EXPECT_EQ(s.route_matrix.tag(24999, 0), ElementTag::kEmpty);
  EXPECT_FALSE(line_file_left());
  EXPECT_FALSE(train_file_left());
}

TEST_F(ReaderTest, FaultsCarryTheirSourceLine) {
  read(line_file_with({"[pendenze]", "pendenza, 100, 1", "", "pendenza", "   24901, 3"}),
       train_file_with({}));
  ASSERT_EQ(s.error_code, 15);
  ASSERT_EQ(s.diagnostics.faults(), 1u);
  EXPECT_EQ(s.diagnostics.items[0].where.file, line_file_name(s));
  // The fault points at the entry's position, on whichever line it stands.
  EXPECT_EQ(s.diagnostics.items[0].where.line, 8);
  EXPECT_EQ(s.diagnostics.items[0].where.column, 4);
  EXPECT_EQ(s.diagnostics.items[0].where.width, 5);
  ASSERT_TRUE(s.diagnostics.items[0].position.has_value());
  EXPECT_EQ(*s.diagnostics.items[0].position, 24901);
}

TEST_F(ReaderTest, GradientsFillFromTheirPositionOn) {
  read(line_file_with({"pendenza, 1000, 5", "pendenza, 1000, 7", "pendenza, 2000, 200",
                       "pendenza, 2500, -101", "pendenza, 20, -103"}),
       train_file_with({}));
  ASSERT_EQ(s.error_code, 0);
  for (int n = 0; n <= 19; ++n) ASSERT_EQ(cell(n).gradient, 100) << n;
  // A second entry at the same position still writes one cell.
  EXPECT_EQ(cell(20).gradient, 105);
  for (int n = 21; n <= 39; ++n) ASSERT_EQ(cell(n).gradient, 107) << n;
  // Only the low 8 bits of gradient + 100 are kept.
  for (int n = 40; n <= 49; ++n) ASSERT_EQ(cell(n).gradient, 300 - 256) << n;
  // round(20 / 50) is 0: the entry at 20 m writes nothing and only sets the gradient.
  for (int n = 50; n <= 497; ++n) ASSERT_EQ(cell(n).gradient, 253) << n;
  EXPECT_EQ(cell(498).gradient, 0);
}

TEST_F(ReaderTest, GradientsPushedPastTheTableFail) {
  // Every entry at 100 m writes one cell and advances the fill index: 502 of them would reach
  // cell 501, beyond the table.
  std::vector<std::string> body(502, "pendenza, 100, 1");
  read(line_file_with(body), train_file_with({}));
  EXPECT_EQ(s.error_code, 25);
  EXPECT_EQ(cell(500).gradient, 101);
  EXPECT_FALSE(line_file_left());
  EXPECT_FALSE(train_file_left());
}

TEST_F(ReaderTest, RouteLengthLimit) {
  read(crlf({"[generale]", "lunghezza percorso, 1000000", "[fine]"}), train_file_with({}));
  EXPECT_EQ(s.error_code, 0);
  EXPECT_EQ(s.extended_length, 1007000);
  EXPECT_EQ(s.cell_count, 20140);
  EXPECT_EQ(s.track_table.size(), 20141u);
  EXPECT_EQ(slot(84).end_m, 1000000);
}

TEST(LinePassRouteLength, CellCountRoundsHalvesToEven) {
  for (const auto& [length, cells] :
       {std::pair{18025, 500}, std::pair{18075, 502}, std::pair{18024, 500}, std::pair{-7000, 0}}) {
    SCOPED_TRACE(length);
    ReaderRun r;
    r.read(crlf({"[generale]", "lunghezza percorso, " + std::to_string(length), "[fine]"}),
           train_file_with({}));
    EXPECT_EQ(r.s.error_code, 0);
    EXPECT_EQ(r.s.extended_length, length + 7000);
    EXPECT_EQ(r.s.cell_count, cells);
    EXPECT_EQ(r.s.track_table.size(), static_cast<std::size_t>(cells) + 1);
  }
}

TEST_F(ReaderTest, SecondRouteLengthCreatesTheTablesAnew) {
  read(crlf({"[generale]", "lunghezza percorso, 50000", "lunghezza percorso, 3000", "[fine]"}),
       train_file_with({}), 1);
  EXPECT_EQ(s.error_code, 0);
  EXPECT_EQ(s.cell_count, 200);
  EXPECT_EQ(s.track_table.size(), 201u);
  EXPECT_EQ(s.route_matrix.upper(), 10000);
}

TEST(LinePassSignalRepetition, KeywordDigitAndValues) {
  struct Case {
    const char* line;
    std::int32_t code, start, end, position;
  };
  const Case cases[] = {
      {"ripetizione segnali 9, 100, 50", 0, 100, 50, 9},
      {"ripetizione segnali 4 codici,    0    ,0", 0, 0, 0, 0},
      {"ripetizione segnali 9 e 4, 100, 50", 0, 100, 50, 4},
      {"ripetizione segnali 4, -50, 100", 0, -50, 100, 4},
      {"ripetizione segnali 9, 100, 0", 0, 100, 0, 0},
      {"Ripetizione segnali 9, 100, 50", 0, 0, 0, 0},  // case-sensitive: not recognised
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ReaderRun r;
    r.read(crlf({"[generale]", "lunghezza percorso, 18000", c.line, "[fine]"}),
           train_file_with({}));
    EXPECT_EQ(r.s.error_code, c.code);
    EXPECT_EQ(r.slot(86).start_m, c.start);
    EXPECT_EQ(r.slot(86).end_m, c.end);
    EXPECT_EQ(r.slot(86).position_m, c.position);
  }
}

TEST_F(ReaderTest, GeneralKeywordsAndTheirCase) {
  read(crlf({"[generale]", "LUNGHEZZA Percorso, 18000", "progressiva chilometrica tre, 900, 50, 2",
             "Progressiva chilometrica due, 700, 800, 0", "sfondo uno, 11", "sfondo due, 22",
             "sfondo tre, 33", "Sfondo uno, 44", "[fine]"}),
       train_file_with({}));
  EXPECT_EQ(s.error_code, 0);
  EXPECT_EQ(s.cell_count, 500);
  EXPECT_EQ(slot(81).start_m, 900);
  EXPECT_EQ(slot(81).end_m, 50);
  EXPECT_EQ(slot(81).position_m, 2);
  // The capitalised entry is not recognised and its numbers are passed over.
  EXPECT_EQ(slot(82).start_m, 0);
  EXPECT_EQ(slot(83).start_m, 0);
  EXPECT_EQ(slot(85).start_m, 11);
  EXPECT_EQ(slot(85).position_m, 22);
  EXPECT_EQ(slot(85).end_m, 33);
}

TEST_F(ReaderTest, SeparatorFieldsArePassedOver) {
  read(crlf({"[generale]", "----------", "lunghezza percorso, 18000", "--", "-", "sfondo uno, 7",
             "- [x] -", "sfondo due, 8", "[curve]", "-----",
             "indicatori_vmax, 400, 80, 80, 80, 0, 80, 80, 80, 0",
             "-1-,-2-,indicatori_vmax-x,"
             " 1000, 60, 60, 60, 0, 60, 60, 60, 0",
             "[fine]"}),
       train_file_with({}));
  EXPECT_EQ(s.error_code, 0);
  EXPECT_EQ(slot(85).start_m, 7);
  // A section line that begins with a dash does not end the general section.
  EXPECT_EQ(slot(85).position_m, 8);
  EXPECT_EQ(cell(9).kind, kSpeedBoard);
  // In the body at most two separators are passed over: the third field is the keyword.
  EXPECT_EQ(cell(21).kind, kSpeedBoard);
}

TEST_F(ReaderTest, SectionLineBeginningWithADashDoesNotEndTheGeneralSection) {
  // Ten fields with a dash are passed over; the eleventh is taken as it is, and because it
  // begins with a dash it does not end the section although it holds "[" and "]".
  std::string dashes;
  for (int k = 0; k < 11; ++k) dashes += "-[a]-,";
  read(crlf({"[generale]", "lunghezza percorso, 18000", dashes, "sfondo due, 8", "[curve]",
             "[fine]"}),
       train_file_with({}));
  EXPECT_EQ(s.error_code, 0);
  EXPECT_EQ(slot(85).position_m, 8);
}

TEST_F(ReaderTest, EntriesAreRecognisedOnlyInTheirOwnPass) {
  read(crlf({"[generale]", "lunghezza percorso, 18000",
             "indicatori_vmax, 400, 80, 80, 80, 0, 80, 80, 80, 0", "[curve]", "sfondo uno, 5",
             "[fine]"}),
       train_file_with({}));
  EXPECT_EQ(s.error_code, 0);
  EXPECT_EQ(cell(9).kind, kPlain);
  EXPECT_EQ(slot(85).start_m, 0);
}

TEST_F(ReaderTest, SectionLinesTriggerNothing) {
  read(line_file_with({"[pendenze]", "[montagne]", "[cartelli]", "[curve]", "[indicazioni]"}),
       train_file_with({}), 1);
  EXPECT_EQ(s.error_code, 0);
  EXPECT_EQ(s.mountain_count, 0);
  for (int n = 0; n <= 500; ++n) ASSERT_EQ(cell(n).kind, kPlain) << n;
  EXPECT_TRUE(step_at(s.route_matrix, 24998, 0.0));
  EXPECT_EQ(s.route_matrix.number(24998, 0), 0.0);
}

TEST_F(ReaderTest, KeywordFieldThatIsTheLastFieldIsNotInterpreted) {
  // The file ends on a keyword whose values are missing: it is not read as an entry.
  read(crlf({"[generale]", "lunghezza percorso, 18000", "[x]",
             "indicatori_vmax, 400, 80, 80, 80, 0, 80, 80, 80, 0", "montagna"}),
       train_file_with({}));
  EXPECT_EQ(s.error_code, 0);
  EXPECT_EQ(s.mountain_count, 0);
  // The values of an entry on the last line are read normally.
  EXPECT_EQ(cell(9).kind, kSpeedBoard);
}

TEST_F(ReaderTest, CurveWithoutRoutePlanIsPassedOver) {
  read(line_file_with({"curvad4, 1500, 550", "curvad, 2000, 100"}), train_file_with({}), 0);
  EXPECT_EQ(s.error_code, 0);
  EXPECT_FALSE(s.route_matrix.exists());
}

TEST_F(ReaderTest, Signboards) {
  read(line_file_with({"montagna, 0, 1000, 12", "indicatore cartello, 1000, USCITA \"A\" ",
                       "indicatore cartello, 100, SECONDO", "INDICAT CARTELLO, 150, TERZO"}),
       train_file_with({}));
  EXPECT_EQ(s.error_code, 0);
  EXPECT_EQ(cell(21).kind, kSignboard);
  EXPECT_EQ(cell(21).value1, 80);
  EXPECT_EQ(slot(80).name, "USCITA \"A\" ");
  // Cell 3 held a mountain-side marker, which the board replaces.
  EXPECT_EQ(cell(3).kind, kSignboard);
  EXPECT_EQ(cell(3).value1, 79);
  EXPECT_EQ(cell(3).mountain_side, 2);
  EXPECT_EQ(slot(79).name, "SECONDO");
  EXPECT_EQ(cell(4).value1, 78);
  EXPECT_EQ(slot(78).name, "TERZO");
}

// 81 signboards fit (slots 80 down to 0); the 82nd marks its cell and then finds no slot for
// its text, which ends the reading.
TEST_F(ReaderTest, EightySecondSignboardFailsForWantOfASlot) {
  std::vector<std::string> body;
  for (int k = 0; k < 82; ++k)
    body.push_back("cartello indicat, " + std::to_string(k * 50) + ", B");
  read(line_file_with(body), train_file_with({}));
  EXPECT_EQ(s.error_code, 25);
  // The 81st board takes slot 0, the last one.
  EXPECT_EQ(cell(81).kind, kSignboard);
  EXPECT_EQ(cell(81).value1, 0);
  EXPECT_EQ(slot(0).name, "B");
  EXPECT_EQ(cell(82).kind, kSignboard);
  EXPECT_EQ(cell(82).value1, -1);
}

// Run-time failures of the line pass all end with code 25 and leave no source file behind.
TEST(LinePassFailures, TakeTheCommonPath) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    int geometry;
  };
  const Case cases[] = {
      {"number that is not a number", {"[generale]", "lunghezza percorso, 18k", "[fine]"}, 0},
      {"decimal number",
       {"[generale]", "lunghezza percorso, 18000", "[x]", "pendenza, 1.5, 2", "[fine]"},
       0},
      {"file cut in an entry",
       {"[generale]", "lunghezza percorso, 18000", "[x]", "montagna, 100, 200"},
       0},
      {"separators reading past the end", {"[generale]", "lunghezza percorso, 18000", "-", "-"}, 0},
      {"negative speed-board position",
       {"[generale]", "lunghezza percorso, 18000", "[x]",
        "indicatori_vmax, -100, 80, 80, 80, 0, 80, 80, 80, 0", "[fine]"},
       0},
      {"negative signboard position",
       {"[generale]", "lunghezza percorso, 18000", "[x]", "indicat cartello, -100, A", "[fine]"},
       0},
      {"stretch before the origin",
       {"[generale]", "lunghezza percorso, 18000", "[x]", "montagna, -100, 500, 2", "[fine]"},
       0},
      {"stretch beyond the table",
       {"[generale]", "lunghezza percorso, 18000", "[x]", "montagna, 100, 26000, 2", "[fine]"},
       0},
      {"curve beyond the route plan",
       {"[generale]", "lunghezza percorso, 18000", "[x]", "curvad4, 24000, 1001", "[fine]"},
       1},
      {"speed-board value too large",
       {"[generale]", "lunghezza percorso, 18000", "[x]",
        "indicatori_vmax, 400, 2000, 80, 80, 0, 80, 80, 80, 0", "[fine]"},
       0},
      {"no route length", {"[generale]", "sfondo uno, 1", "[x]", "[fine]"}, 0},
      {"no route length with a route plan", {"[generale]", "sfondo uno, 1", "[x]", "[fine]"}, 1},
      {"no route length before a body entry",
       {"[generale]", "[x]", "pendenza, 100, 1", "[fine]"},
       0},
      {"route length leaving no track", {"[generale]", "lunghezza percorso, -8000", "[fine]"}, 0},
      {"route length leaving no route plan",
       {"[generale]", "lunghezza percorso, -7020", "[fine]"},
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReaderRun r;
    r.read(crlf(c.lines), train_file_with({}), c.geometry);
    EXPECT_EQ(r.s.error_code, 25);
    EXPECT_EQ(r.s.error_position, 0);
    EXPECT_FALSE(r.line_file_left());
    EXPECT_FALSE(r.train_file_left());
    ASSERT_FALSE(r.s.diagnostics.items.empty());
    EXPECT_EQ(r.s.diagnostics.last_fault()->code, 25);
    EXPECT_FALSE(r.s.diagnostics.last_fault()->message.empty());
  }
}

TEST_F(ReaderTest, FailureKeepsAnAuthorsFiles) {
  s.delete_sources = false;
  read(crlf({"[generale]", "lunghezza percorso, 18000", "[x]", "pendenza, 1.5, 2", "[fine]"}),
       train_file_with({}));
  EXPECT_EQ(s.error_code, 25);
  EXPECT_EQ(s.diagnostics.last_fault()->where.line, 4);
  EXPECT_TRUE(line_file_left());
  EXPECT_TRUE(train_file_left());
}

TEST_F(ReaderTest, FailureKeepsWhatWasAlreadyRead) {
  read(line_file_with({"indicatori_vmax, 400, 80, 80, 80, 0, 80, 80, 80, 0", "pendenza, x, 1"}),
       train_file_with({}));
  EXPECT_EQ(s.error_code, 25);
  EXPECT_EQ(cell(9).kind, kSpeedBoard);
  EXPECT_EQ(slot(84).end_m, 18000);
}

}  // namespace
}  // namespace sb::test
