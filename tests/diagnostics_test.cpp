// What an author is told, word for word: each warning and each fault's message, with its
// place, the source line and caret, and its notes, for a small scenario that triggers it.
// Each case is checked through the real program (`check`); standard error is compared whole.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "test_support.h"

namespace sb::test {
namespace {

// A 6000 m line (cells 0 to 260) and a train file with both lists from 0.
const std::vector<std::string> kLineHead = {"[generale]", "lunghezza percorso, 6000", "[curve]"};
const std::vector<std::string> kTrainHead = {"[generale]", "velocita, 0, 30", "aderenza, 0, 100"};

struct Case {
  const char* name;
  std::vector<std::string> line;   // after the head of the line file
  std::vector<std::string> train;  // after the head of the train file
  int status;
  std::string err;
  std::vector<std::string> args = {};  // before the names
  std::vector<std::string> line_head = kLineHead;
  std::vector<std::string> train_head = kTrainHead;
  // The locale of the run when its output is not read as UTF-8 ("C"); the tests' own else.
  std::optional<std::string> locale = std::nullopt;
};

std::vector<std::string> joined(std::vector<std::string> head,
                                const std::vector<std::string>& body) {
  head.insert(head.end(), body.begin(), body.end());
  head.push_back("[fine]");
  return head;
}

void check_case(const Case& c) {
  SCOPED_TRACE(c.name);
  TempDir dir;
  write_bytes(dir.file("Prova_linea.txt"), crlf(joined(c.line_head, c.line)));
  write_bytes(dir.file("Prova_L1-.txt"), crlf(joined(c.train_head, c.train)));
  std::vector<std::string> args = {"check"};
  args.insert(args.end(), c.args.begin(), c.args.end());
  args.insert(args.end(), {"Prova", "L1"});
  if (kWindows && c.locale) return;  // Windows has no locale: its output is read as UTF-8
  RunLimits limits;
  limits.locale = c.locale;
  const auto r = run_program(args, dir.path(), SB_PROGRAM, limits);
  EXPECT_EQ(r.status, c.status);
  EXPECT_EQ(r.err, c.err);
}

const Case kWarnings[] = {
    {"misspelt line keyword",
     {"pendnza, 500, 5"},
     {},
     0,
     "Prova_linea.txt:4:1: warning: unknown keyword \"pendnza\" skipped; did you mean "
     "\"pendenza\"? [unknown-keyword]\n"
     "     4 | pendnza, 500, 5\n"
     "       | ^~~~~~~\n"},
    {"misspelt train keyword",
     {},
     {"stazoine, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, VIA DEI GELSI"},
     0,
     "Prova_L1-.txt:4:1: warning: unknown keyword \"stazoine\" skipped; did you mean \"stazione\"? "
     "[unknown-keyword]\n"
     "     4 | stazoine, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, VIA DEI GELSI\n"
     "       | ^~~~~~~~\n"},
    {"misspelt curve keyword",
     {"cruvas2, 1500, 300"},
     {},
     0,
     "Prova_linea.txt:4:1: warning: unknown keyword \"cruvas2\" skipped; did you mean \"curvas2\"? "
     "[unknown-keyword]\n"
     "     4 | cruvas2, 1500, 300\n"
     "       | ^~~~~~~\n"},
    {"train file without its general section",
     {},
     {"velocita, 0, 30"},
     0,
     "Prova_L1-.txt: warning: the train file has no \"[generale]\" section: nothing was read from "
     "it (no station, signal, speed or adhesion) [no-general-section]\n"
     "note: line 1 holds \"[general]\"; did you mean \"[generale]\"?\n",
     {},
     {"[generale]", "lunghezza percorso, 6000", "[curve]"},
     {"[general]"}},
    {"station line with a value too many",
     {},
     {"stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, 0, VIA DEI GELSI"},
     0,
     "Prova_L1-.txt:4:59: warning: the text of the station at 800 m is the number \"0\": the entry "
     "has a value too many [suspicious-name]\n"
     "     4 | stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, 0, VIA DEI GELSI\n"
     "       |                                                           ^\n"
     "Prova_L1-.txt:4:62: warning: \"VIA DEI GELSI\" after the 17 values of \"stazione\" is "
     "skipped: the entry has a value too many, or a text holds a comma [unknown-keyword]\n"
     "     4 | stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, 0, VIA DEI GELSI\n"
     "       |                                                              ^~~~~~~~~~~~~\n"},
    {"station line without its name",
     {},
     {"stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1",
      "stazione, 1600, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, SALICI"},
     0,
     "Prova_L1-.txt:4:1: warning: the text of the station at 800 m is \"stazione\", read from line "
     "5: the entry has a value too few [suspicious-name]\n"
     "     4 | stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1\n"
     "       | ^~~~~~~~\n"
     "Prova_L1-.txt:5:11: warning: \"1600\" and the rest of line 5 are skipped: the "
     "\"stazione\" entry of line 4 read the start of this line as its last value, so the entry "
     "written here is lost [unknown-keyword]\n"
     "     5 | stazione, 1600, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, SALICI\n"
     "       |           ^~~~\n"},
    {"capitalised case-sensitive keyword",
     {},
     {},
     0,
     "Prova_linea.txt:3:1: warning: \"Progressiva chilometrica uno\" is not recognised: "
     "\"progressiva chilometrica uno\" must be written in lower case [keyword-case]\n"
     "     3 | Progressiva chilometrica uno, 0, 25, 0\n"
     "       | ^~~~~~~~~~~~~~~~~~~~~~~~~~~~\n",
     {},
     {"[generale]", "lunghezza percorso, 6000", "Progressiva chilometrica uno, 0, 25, 0",
      "[curve]"}},
    {"general entry after the general section",
     {"sfondo uno, 1"},
     {},
     0,
     "Prova_linea.txt:4:1: warning: \"sfondo uno\" is an entry of the general section and is not "
     "recognised after it; move it up, between \"[generale]\" and the next section line "
     "[misplaced-entry]\n"
     "     4 | sfondo uno, 1\n"
     "       | ^~~~~~~~~~\n"},
    {"line file entry in the train file",
     {},
     {"pendenza, 500, 5"},
     0,
     "Prova_L1-.txt:4:1: warning: \"pendenza\" is skipped: \"pendenza\" is an entry of the line "
     "file [unknown-keyword]\n"
     "     4 | pendenza, 500, 5\n"
     "       | ^~~~~~~~\n"},
    {"station in the run-out",
     {},
     {"stazione, 8000, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, FONDO"},
     0,
     "Prova_L1-.txt:4:1: warning: \"stazione\" at 8000 m lies beyond the end of the route at 6000 "
     "m, in the 7000 m run-out [in-run-out]\n"
     "     4 | stazione, 8000, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, FONDO\n"
     "       | ^~~~~~~~\n"},
    {"curves out of order",
     {"curvad4, 1500, 300", "curvas2, 1000, 200"},
     {},
     0,
     "Prova_linea.txt:5:1: warning: the curve at 1000 m starts before the route plan has reached "
     "it (the plan already runs to 1800 m), so it adds nothing to the plan: list the curves in "
     "increasing order, without overlaps [curve-order]\n"
     "     5 | curvas2, 1000, 200\n"
     "       | ^~~~~~~\n"},
    {"speed list starting at 500 m",
     {},
     {},
     0,
     "Prova_L1-.txt:2:1: warning: the speed list starts at 500 m: the cells before it take the "
     "speed 0 km/h carried over from the line file; start the list at 0 [list-start]\n"
     "     2 | velocita, 500, 30\n"
     "       | ^~~~~~~~\n",
     {},
     {"[generale]", "lunghezza percorso, 6000", "[curve]"},
     {"[generale]", "velocita, 500, 30", "aderenza, 0, 100"}},
    {"UTF-8 name",
     {},
     {"stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, CITT\xc3"
      "\x80"
      " ALTA"},
     0,
     "Prova_L1-.txt:4:59: warning: the text of the station at 800 m, \"CITT\u00c0 ALTA\", is "
     "written in UTF-8; the simulator reads names in the single-byte code page Windows-1252 and "
     "would show it as \"CITT\u00c3\u20ac ALTA\": save the file in Windows-1252 [name-encoding]\n"
     "     4 | stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, CITT\u00c3\u20ac ALTA\n"
     "       |                                                           ^~~~~~~~~~~\n"},
    {"UTF-8 name, output not read as UTF-8",
     {},
     {"stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, CITT\xc3"
      "\x80"
      " ALTA"},
     0,
     "Prova_L1-.txt:4:59: warning: the text of the station at 800 m, \"CITT\\xc3\\x80 ALTA\", is "
     "written in UTF-8; the simulator reads names in the single-byte code page Windows-1252 and "
     "would show it as \"CITT\\xc3\\x80 ALTA\": save the file in Windows-1252 [name-encoding]\n"
     "     4 | stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, CITT\\xc3\\x80 ALTA\n"
     "       |                                                           ^~~~~~~~~~~~~~~~~\n",
     {},
     kLineHead,
     kTrainHead,
     "C"},
    {"Windows-1252 name quoted as written",
     {},
     {"stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, SANT\x92"
      "ELIA \x81 "},
     0,
     "Prova_L1-.txt:4:59: warning: the text of the station at 800 m, \"SANT\u2019ELIA \\x81 \", "
     "ends in blanks, which are stored with it [name-characters]\n"
     "     4 | stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, SANT\u2019ELIA \\x81 \n"
     "       |                                                           ^~~~~~~~~~~~~~~\n"},
    {"Windows-1252 name, output not read as UTF-8",
     {},
     {"stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, SANT\x92"
      "ELIA "},
     0,
     "Prova_L1-.txt:4:59: warning: the text of the station at 800 m, \"SANT\\x92ELIA \", ends in "
     "blanks, which are stored with it [name-characters]\n"
     "     4 | stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, SANT\\x92ELIA \n"
     "       |                                                           ^~~~~~~~~~~~~\n",
     {},
     kLineHead,
     kTrainHead,
     "C"},
    {"comma in a name",
     {},
     {"stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, CASCINA ALTA, NORD"},
     0,
     "Prova_L1-.txt:4:73: warning: \"NORD\" after the 17 values of \"stazione\" is skipped: the "
     "entry has a value too many, or a text holds a comma [unknown-keyword]\n"
     "     4 | stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, CASCINA ALTA, NORD\n"
     "       |                                                                         ^~~~\n"},
    {"name with trailing blanks",
     {},
     {"stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, VIA ROMA  "},
     0,
     "Prova_L1-.txt:4:59: warning: the text of the station at 800 m, \"VIA ROMA  \", ends in "
     "blanks, which are stored with it [name-characters]\n"
     "     4 | stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, VIA ROMA  \n"
     "       |                                                           ^~~~~~~~~~\n"},
    {"station line with an empty name",
     {},
     {"stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, "},
     0,
     "Prova_L1-.txt:4:59: warning: the text of the station at 800 m is empty: the entry has a "
     "value too few, or a comma too many [suspicious-name]\n"
     "     4 | stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, \n"
     "       |                                                           ^\n"},
    {"gradient before the start of the line",
     {"pendenza, -200, 5"},
     {},
     0,
     "Prova_linea.txt:4:11: warning: the gradient at -200 m starts before the start of the line: "
     "it holds from 0 m, as an entry at 0 m would [value-range]\n"
     "     4 | pendenza, -200, 5\n"
     "       |           ^~~~\n"},
    {"curve skipped without a route plan", {"curvad4, 1500, 300"}, {}, 0, "", {"--no-geometry"}},
    {"gradient outside the stored byte",
     {"pendenza, 1700, 250"},
     {},
     0,
     "Prova_linea.txt:4:17: warning: the gradient 250 does not fit the byte it is stored in, as "
     "the gradient plus 100 (-100 to 155): it keeps its low bits and is stored as -6 "
     "[value-wrapped]\n"
     "     4 | pendenza, 1700, 250\n"
     "       |                 ^~~\n"},
    {"speed-board speed not kept by the packed value",
     {"indicatori_vmax, 3000, 80,80,80,0, 52,80,80,0"},
     {},
     0,
     "Prova_linea.txt:4:36: warning: the speed board's d-side speed 52 km/h comes back as 50 km/h: "
     "its packed value keeps multiples of 5 from 0 to 495 km/h [value-wrapped]\n"
     "     4 | indicatori_vmax, 3000, 80,80,80,0, 52,80,80,0\n"
     "       |                                    ^~\n"},
    {"speed board stripes beyond 9",
     {"indicatori_vmax, 3000, 80,80,80,12, 80,80,80,0"},
     {},
     0,
     "Prova_linea.txt:4:33: warning: the s-side stripe count 12 is outside 0 to 9: the stripes of "
     "both sides are packed as s-side stripes x 10 + d-side stripes, and only 0 to 9 come back as "
     "written [value-range]\n"
     "     4 | indicatori_vmax, 3000, 80,80,80,12, 80,80,80,0\n"
     "       |                                 ^~\n"},
    {"speed board with every speed 0",
     {"indicatori_vmax, 3000, 0,0,0,0, 0,0,0,0"},
     {},
     0,
     "Prova_linea.txt:4:1: warning: every speed of the speed board is 0 km/h: the board shows no "
     "speed at all; its values after the position are three s-side speeds, the s-side stripes, "
     "three d-side speeds and the d-side stripes [zero-speed-board]\n"
     "     4 | indicatori_vmax, 3000, 0,0,0,0, 0,0,0,0\n"
     "       | ^~~~~~~~~~~~~~~\n"},
    {"mountain-side type beyond the stored byte",
     {"montagna, 1000, 2000, 300"},
     {},
     0,
     "Prova_linea.txt:4:23: warning: the mountain-side type 300 does not fit the byte it is stored "
     "in (0 to 255, or 11 to 265 for a type with markers): it keeps its low bits and is stored as "
     "type 34 [value-wrapped]\n"
     "     4 | montagna, 1000, 2000, 300\n"
     "       |                       ^~~\n"},
    {"curve of no length",
     {"curvad4, 1500, 0"},
     {},
     0,
     "Prova_linea.txt:4:16: warning: the curve at 1500 m has the length 0 m, so it turns nothing: "
     "the second value is the curve's length in metres [value-range]\n"
     "     4 | curvad4, 1500, 0\n"
     "       |                ^\n"},
    {"adhesion beyond the stored byte",
     {},
     {"aderenza, 500, 300"},
     0,
     "Prova_L1-.txt:4:16: warning: the adhesion 300 does not fit the byte it is stored in (0 to "
     "255): it keeps its low bits and is stored as 44 [value-wrapped]\n"
     "     4 | aderenza, 500, 300\n"
     "       |                ^~~\n"},
    {"clock hour 25",
     {},
     {"orologio, 25, 0, 0"},
     0,
     "Prova_L1-.txt:4:11: warning: the clock has the hour 25, outside 0 to 23: the simulator's "
     "clock starts at a time that does not exist [time-of-day]\n"
     "     4 | orologio, 25, 0, 0\n"
     "       |           ^~\n"},
    {"stop time with 75 minutes",
     {},
     {"stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 8,75,0, A"},
     0,
     "Prova_L1-.txt:4:52: warning: the stop time of the station at 800 m has the minutes 75, "
     "outside 0 to 59: it is stored as 09:15:00 after the day's start [time-of-day]\n"
     "     4 | stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 8,75,0, A\n"
     "       |                                                    ^~\n"},
    {"signal digit beyond 9",
     {},
     {"segnale, 2000, 2, 12, 0, 0, 0, 2, 2, 0, 0, 0"},
     0,
     "Prova_L1-.txt:4:19: warning: the signal's s1 12 is outside 0 to 9: its packed values keep "
     "the digits apart only within that range [value-range]\n"
     "     4 | segnale, 2000, 2, 12, 0, 0, 0, 2, 2, 0, 0, 0\n"
     "       |                   ^~\n"},
    {"signal time beyond the stored byte",
     {},
     {"segnale, 2000, 2, 3, 0, 0, 0, 2, 2, 0, 0, 300"},
     0,
     "Prova_L1-.txt:4:43: warning: the signal's time 300 does not fit the byte it is stored in (0 "
     "to 255): it keeps its low bits and is stored as 44 [value-wrapped]\n"
     "     4 | segnale, 2000, 2, 3, 0, 0, 0, 2, 2, 0, 0, 300\n"
     "       |                                           ^~~\n"},
    {"slow order speed beyond 16 bits",
     {},
     {"rallentamento, 3000, 40000, 400, 0, 0, 0"},
     0,
     "Prova_L1-.txt:4:22: warning: the slow order's speed 40000 does not fit the 16-bit field it "
     "is stored in (-32768 to 32767): it keeps its low bits and is stored as -25536 "
     "[value-wrapped]\n"
     "     4 | rallentamento, 3000, 40000, 400, 0, 0, 0\n"
     "       |                      ^~~~~\n"},
    {"abbattimento value beyond 16 bits",
     {},
     {"abbattimento, 3000, 40000"},
     0,
     "Prova_L1-.txt:4:21: warning: the \"abbattimento\" value 40000 does not fit the 16-bit field "
     "it is stored in (-32768 to 32767): it keeps its low bits and is stored as -25536 "
     "[value-wrapped]\n"
     "     4 | abbattimento, 3000, 40000\n"
     "       |                     ^~~~~\n"},
    {"slow order with a negative length",
     {},
     {"rallentamento, 2200, 40, -300, 0, 0, 0"},
     0,
     "Prova_L1-.txt:4:26: warning: the slow order at 2200 m has the length -300 m: its end is "
     "placed before its start; the third value is the slow order's length in metres, at least 50, "
     "not its end [slow-order-length]\n"
     "     4 | rallentamento, 2200, 40, -300, 0, 0, 0\n"
     "       |                          ^~~~\n"},
    {"slow order end written as its length",
     {},
     {"rallentamento, 2500, 30, 2900, 0, 0, 0",
      "stazione, 3000, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, A",
      "stazione, 4000, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, B"},
     0,
     "Prova_L1-.txt:4:26: warning: the slow order at 2500 m with the length 2900 m runs to 5400 m, "
     "across the stations at 3000 m and 4000 m: the third value is its length in metres, not its "
     "end (as an end, 2900 m would make it 400 m long) [slow-order-span]\n"
     "     4 | rallentamento, 2500, 30, 2900, 0, 0, 0\n"
     "       |                          ^~~~\n"},
    {"slow orders across each other",
     {},
     {"rallentamento, 3000, 30, 400, 0, 0, 0", "rallentamento, 3200, 30, 400, 0, 0, 0"},
     0,
     "Prova_L1-.txt:5:26: warning: the slow order at 3200 m with the length 400 m runs to 3600 m, "
     "across the slow order at 3000 m (line 4) [slow-order-span]\n"
     "     5 | rallentamento, 3200, 30, 400, 0, 0, 0\n"
     "       |                          ^~~\n"},
    {"names with trailing blanks on several lines",
     {},
     {"stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, A ",
      "stazione, 1600, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, B ",
      "stazione, 2400, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, C "},
     0,
     "Prova_L1-.txt:4:59: warning: the text of the station at 800 m, \"A \", ends in blanks, which "
     "are stored with it [name-characters]\n"
     "     4 | stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, A \n"
     "       |                                                           ^~\n"
     "note: the texts on these lines end in blanks too: 5, 6\n"},
};

const Case kFaults[] = {
    {"missing comma after a keyword",
     {},
     {"segnale   2000, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0"},
     1,
     "Prova_L1-.txt:4:1: error 25: \"segnale\" expects 11 values; line 4 holds 10\n"
     "     4 | segnale   2000, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0\n"
     "       | ^~~~~~~~~~~~~~\n"
     "note: \"segnale   2000\" is read as one field: put a comma after \"segnale\"\n"
     "note: the values ran on into line 5, where \"[fine]\" is not a number\n"},
    {"comment line holding a keyword",
     {},
     {"# il segnale protegge il bivio", "segnale, 2000, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0"},
     1,
     "Prova_L1-.txt:4:1: error 25: the comment line \"# il segnale protegge il bivio\" holds the "
     "keyword \"segnale\", so it is read as that entry, which expects 11 values; line 4 holds 0\n"
     "     4 | # il segnale protegge il bivio\n"
     "       | ^~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\n"
     "note: the files have no comments: a line that holds a keyword is read as that entry, "
     "whatever it starts with; keep keywords out of comment lines, or write the notes before "
     "\"[generale]\"\n"
     "note: the values ran on into line 5, where \"segnale\" is not a number\n"},
    {"value that is not a number",
     {"montagna, 100, abc, 2"},
     {},
     1,
     "Prova_linea.txt:4:16: error 25: \"abc\" is not a number (value 2 of \"montagna\")\n"
     "     4 | montagna, 100, abc, 2\n"
     "       |                ^~~\n"},
    {"gradient whose stored sum passes 32 bits, written by the next entry's fill (25)",
     {"pendenza, 0, 2147483548", "pendenza, 200, 0"},
     {},
     1,
     "Prova_linea.txt:4:14: warning: the gradient 2147483548 does not fit the byte it is stored "
     "in, as the gradient plus 100 (-100 to 155): it keeps its low bits and is stored as -100 "
     "[value-wrapped]\n"
     "     4 | pendenza, 0, 2147483548\n"
     "       |              ^~~~~~~~~~\n"
     "Prova_linea.txt:5:1: error 25: \"pendenza\" at 200 m fills the cells before it with the "
     "gradient 2147483548, which cannot be stored: plus 100 it does not fit 32 bits\n"
     "     5 | pendenza, 200, 0\n"
     "       | ^~~~~~~~\n"
     "note: the gradient 2147483548 was set by \"pendenza\" at 0 m (Prova_linea.txt:4)\n"},
    {"gradient whose stored sum passes 32 bits, written by the tail fill (25)",
     {"pendenza, 0, 2147483548"},
     {},
     1,
     "Prova_linea.txt:4:14: warning: the gradient 2147483548 does not fit the byte it is stored "
     "in, as the gradient plus 100 (-100 to 155): it keeps its low bits and is stored as -100 "
     "[value-wrapped]\n"
     "     4 | pendenza, 0, 2147483548\n"
     "       |              ^~~~~~~~~~\n"
     "Prova_linea.txt: error 25: the end of the line file fills the cells up to the end of the "
     "track with the gradient 2147483548, which cannot be stored: plus 100 it does not fit 32 "
     "bits\n"
     "note: the gradient 2147483548 was set by \"pendenza\" at 0 m (Prova_linea.txt:4)\n"},
    {"signboard on a speed board (6)",
     {"indicatori_vmax, 1000, 80,80,80,0, 80,80,80,0", "indicatore cartello, 1000, BIVIO"},
     {},
     1,
     "Prova_linea.txt:5:1: error 6: the signboard's cell at 1000 to 1050 m already holds an object "
     "(at 1000 m)\n"
     "     5 | indicatore cartello, 1000, BIVIO\n"
     "       | ^~~~~~~~~~~~~~~~~~~\n"
     "note: the cell holds a speed board at 1000 m placed at Prova_linea.txt:4\n"},
    {"abbattimento on a station stop (7)",
     {},
     {"stazione, 800, 22, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, VIA DEI GELSI",
      "abbattimento, 900, 60"},
     1,
     "Prova_L1-.txt:5:1: error 7: the \"abbattimento\" point's cell at 850 to 900 m already holds "
     "an object (at 900 m)\n"
     "     5 | abbattimento, 900, 60\n"
     "       | ^~~~~~~~~~~~\n"
     "note: the cell holds the stop of a station at 800 m placed at Prova_L1-.txt:4\n"},
    {"signal on a speed board (16)",
     {"indicatori_vmax, 2000, 80,80,80,0, 80,80,80,0"},
     {"segnale, 2000, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0"},
     1,
     "Prova_L1-.txt:4:1: error 16: the signal's cell at 2000 to 2050 m already holds an object (at "
     "2000 m)\n"
     "     4 | segnale, 2000, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0\n"
     "       | ^~~~~~~\n"
     "note: the cell holds a speed board at 2000 m placed at Prova_linea.txt:4\n"},
    {"warning board on a signal (17)",
     {},
     {"segnale, 1800, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0", "rallentamento, 3000, 30, 400, 1, 0, 0"},
     1,
     "Prova_L1-.txt:5:1: error 17: the slow order's warning-board cell at 1800 to 1850 m already "
     "holds an object (at 3000 m)\n"
     "     5 | rallentamento, 3000, 30, 400, 1, 0, 0\n"
     "       | ^~~~~~~~~~~~~\n"
     "note: the cell holds a signal at 1800 m placed at Prova_L1-.txt:4\n"},
    {"slow order starting on an abbattimento point (18)",
     {},
     {"abbattimento, 2050, 0", "rallentamento, 2000, 30, 400, 0, 0, 0"},
     1,
     "Prova_L1-.txt:5:1: error 18: the slow order's start cell at 2000 to 2050 m already holds an "
     "object (at 2000 m)\n"
     "     5 | rallentamento, 2000, 30, 400, 0, 0, 0\n"
     "       | ^~~~~~~~~~~~~\n"
     "note: the cell holds an \"abbattimento\" point at 2050 m placed at Prova_L1-.txt:4\n"},
    {"slow order ending on a signal (19)",
     {},
     {"segnale, 2400, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0", "rallentamento, 2000, 30, 400, 0, 0, 0"},
     1,
     "Prova_L1-.txt:5:1: error 19: the slow order's end cell at 2400 to 2450 m already holds an "
     "object (at 2000 m)\n"
     "     5 | rallentamento, 2000, 30, 400, 0, 0, 0\n"
     "       | ^~~~~~~~~~~~~\n"
     "note: the cell holds a signal at 2400 m placed at Prova_L1-.txt:4\n"},
    {"pre-warning cell on a signal (20)",
     {},
     {"segnale, 650, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0", "rallentamento, 2000, 30, 400, 1, 1, 0"},
     1,
     "Prova_L1-.txt:5:1: error 20: the slow order's pre-warning cell 3 of 4 at 650 to 700 m "
     "already holds an object (at 2000 m)\n"
     "     5 | rallentamento, 2000, 30, 400, 1, 1, 0\n"
     "       | ^~~~~~~~~~~~~\n"
     "note: the cell holds a signal at 650 m placed at Prova_L1-.txt:4\n"},
    {"speed board on a signboard (21)",
     {"indicatore cartello, 1000, BIVIO", "indicatori_vmax, 1000, 80,80,80,0, 80,80,80,0"},
     {},
     1,
     "Prova_linea.txt:5:1: error 21: the speed board's cell at 1000 to 1050 m already holds an "
     "object (at 1000 m)\n"
     "     5 | indicatori_vmax, 1000, 80,80,80,0, 80,80,80,0\n"
     "       | ^~~~~~~~~~~~~~~\n"
     "note: the cell holds a signboard at 1000 m placed at Prova_linea.txt:4\n"},
    {"signal before a warning board without room (11)",
     {},
     {"segnale, 1350, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0", "segnale, 1400, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0",
      "segnale, 1450, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0", "rallentamento, 3000, 30, 400, 0, 0, 0"},
     1,
     "Prova_L1-.txt:7: error 11: no free cell for the protection point of the signal at 1450 m, "
     "which stands within 1000 m before the warning board of the slow order at 3000 m (at 1500 m)\n"
     "note: the cell at 1400 to 1450 m holds a signal at 1400 m placed at Prova_L1-.txt:5\n"
     "note: the cell at 1350 to 1400 m holds a signal at 1350 m placed at Prova_L1-.txt:4\n"},
    {"band before a slow order without room (12)",
     {},
     {"abbattimento, 4700, 60", "abbattimento, 4750, 60", "abbattimento, 4800, 60",
      "rallentamento, 5000, 30, 400, 0, 0, 0"},
     1,
     "Prova_L1-.txt:7: error 12: no free cell for a protection point 250 to 350 m before the start "
     "of the slow order at 5000 m (at 5050 m)\n"
     "note: the cell at 4750 to 4800 m holds an \"abbattimento\" point at 4800 m placed at "
     "Prova_L1-.txt:6\n"
     "note: the cell at 4700 to 4750 m holds an \"abbattimento\" point at 4750 m placed at "
     "Prova_L1-.txt:5\n"
     "note: the cell at 4650 to 4700 m holds an \"abbattimento\" point at 4700 m placed at "
     "Prova_L1-.txt:4\n"},
    {"slow order without room along it (13)",
     {},
     {"abbattimento, 5400, 60", "abbattimento, 5500, 60", "rallentamento, 5000, 30, 400, 0, 0, 0"},
     1,
     "Prova_L1-.txt:6: error 13: no free cell for a protection point along the slow order at 5000 "
     "m, near 5400 m (at 5450 m)\n"
     "note: the cell at 5350 to 5400 m holds an \"abbattimento\" point at 5400 m placed at "
     "Prova_L1-.txt:4\n"
     "note: the cell at 5400 to 5450 m holds the end of a slow order at 5000 m placed at "
     "Prova_L1-.txt:6\n"
     "note: the cell at 5450 to 5500 m holds an \"abbattimento\" point at 5500 m placed at "
     "Prova_L1-.txt:5\n"},
    {"chainage not on a 50 m mark (2)",
     {},
     {},
     1,
     "Prova_linea.txt:3:34: error 2: \"progressiva chilometrica uno\" has the second value 25 m, "
     "which is not a multiple of 50\n"
     "     3 | progressiva chilometrica uno, 0, 25, 0\n"
     "       |                                  ^~\n",
     {},
     {"[generale]", "lunghezza percorso, 6000", "progressiva chilometrica uno, 0, 25, 0",
      "[curve]"}},
    {"curve without class digit (103)",
     {"curvad, 1000, 100"},
     {},
     1,
     "Prova_linea.txt:4:1: error 103: the curve keyword \"curvad\" has no class digit 1 to 6 (as "
     "in \"curvad4\")\n"
     "     4 | curvad, 1000, 100\n"
     "       | ^~~~~~\n"},
    {"route plan beyond 1000000 m (103)",
     {"curvad4, 999900, 200"},
     {},
     1,
     "Prova_linea.txt:4:1: error 103: the curve runs to 1000100 m, and the route plan may not pass "
     "1000000 points (1000000 m) while curves are read\n"
     "     4 | curvad4, 999900, 200\n"
     "       | ^~~~~~~\n",
     {},
     {"[generale]", "lunghezza percorso, 1000000", "[curve]"}},
    {"object in the header cell (1250)",
     {},
     {"segnale, 0, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0"},
     1,
     "Prova_L1-.txt:4: error 1250: the header marker field is already set, so the build cannot "
     "stamp it; nothing is written\n"
     "note: the track's header cell 1 (0 to 50 m) holds a signal at 0 m placed at Prova_L1-.txt:4: "
     "the header cell must stay empty, so move that entry further along the line\n"
     " Errore n. 1250\n"},
    {"signal after a range fault (15)",
     {"pendenza, 12950, 1"},
     {"segnale, 2000, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0", "sabbia, 1"},
     1,
     "Prova_linea.txt:4:11: error 15: \"pendenza\" lies beyond the end of the track table, which "
     "takes entries up to 12900 m: the route's 6000 m and its 7000 m run-out, less 100 m (at 12950 "
     "m)\n"
     "     4 | pendenza, 12950, 1\n"
     "       |           ^~~~~\n"
     "note: the train file's reading stopped at the signal at 2000 m (Prova_L1-.txt:4): while "
     "fault 15 stands, a signal or slow order ends the reading, so the rest of the train file and "
     "the speed and adhesion fills were not read\n"},
    {"route length leaving no cell 1",
     {},
     {},
     1,
     "Prova_linea.txt:2:21: warning: the route length -7000 m is outside 0 to 1000000 m: the "
     "track holds no line before its run-out [value-range]\n"
     "     2 | lunghezza percorso, -7000\n"
     "       |                     ^~~~~\n"
     "Prova_L1-.txt:2:11: error 15: \"velocita\" lies beyond the end of the track table, which "
     "takes entries up to -100 m: the route's -7000 m and its 7000 m run-out, less 100 m (at 0 m)\n"
     "     2 | velocita, 0, 30\n"
     "       |           ^\n"
     "scenario_builder: nothing compiled: the route length of -7000 m leaves the track only cell "
     "0, and the compiled track needs its header cell 1 (a route length above -6975 m); no binary "
     "file was written\n",
     {"--no-geometry"},
     {"[generale]", "lunghezza percorso, -7000", "[curve]"}},
    {"station platforms too close (22)",
     {},
     {"stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, A",
      "stazione, 1200, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, B"},
     1,
     "Prova_L1-.txt:5:11: error 22: the platform starts at 1050 m, less than 350 m after the "
     "previous platform's end at 950 m (at 1200 m)\n"
     "     5 | stazione, 1200, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, B\n"
     "       |           ^~~~\n"
     "note: the previous station stands at 800 m (Prova_L1-.txt:4)\n"},
    {"station at the same place as the previous one (22)",
     {},
     {"stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, A",
      "stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, B"},
     1,
     "Prova_L1-.txt:5:11: error 22: the platform starts at 650 m, before the previous platform's "
     "end at 950 m (at 800 m)\n"
     "     5 | stazione, 800, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, B\n"
     "       |           ^~~\n"
     "note: the previous station stands at 800 m (Prova_L1-.txt:4)\n"
     "note: the two stations stand at the same place\n"},
    {"stations out of order (22)",
     {},
     {"stazione, 3300, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, A", "numero vetture, 3",
      "stazione, 1000, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, B"},
     1,
     "Prova_L1-.txt:6:11: error 22: the platform starts at 850 m, before the previous platform's "
     "end at 3450 m (at 1000 m)\n"
     "     6 | stazione, 1000, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, B\n"
     "       |           ^~~~\n"
     "note: the previous station stands at 3300 m (Prova_L1-.txt:4)\n"
     "note: the stations are out of order: this one comes before the previous one\n"},
    {"station position off the 50 m mark (8)",
     {},
     {"stazione, 825, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, A"},
     1,
     "Prova_L1-.txt:4:11: error 8: the station position is not a multiple of 50 (at 825 m)\n"
     "     4 | stazione, 825, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, A\n"
     "       |           ^~~\n"},
    {"section line holding a keyword",
     {"[montagna]", "montagna, 1000, 2000, 1"},
     {},
     1,
     "Prova_linea.txt:4:1: error 25: the section line \"[montagna]\" holds the keyword "
     "\"montagna\", so it is read as that entry, which expects 3 values; line 4 holds 0\n"
     "     4 | [montagna]\n"
     "       | ^~~~~~~~~~\n"
     "note: a section line that holds a keyword is read as that entry: name the section without "
     "one (\"[montagne]\" holds no keyword, \"[montagna]\" does)\n"
     "note: the values ran on into line 5, where \"montagna\" is not a number\n"},
    {"semicolon comment holding a keyword and a number",
     {},
     {"; segnale 2000 protegge il bivio", "segnale, 2000, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0"},
     1,
     "Prova_L1-.txt:4:1: error 25: the comment line \"; segnale 2000 protegge il bivio\" holds the "
     "keyword \"segnale\", so it is read as that entry, which expects 11 values; line 4 holds 0\n"
     "     4 | ; segnale 2000 protegge il bivio\n"
     "       | ^~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\n"
     "note: the files have no comments: a line that holds a keyword is read as that entry, "
     "whatever it starts with; keep keywords out of comment lines, or write the notes before "
     "\"[generale]\"\n"
     "note: the values ran on into line 5, where \"segnale\" is not a number\n"},
    {"tab before a value",
     {},
     {"sabbia,\t1"},
     1,
     "Prova_L1-.txt:4:8: error 25: \"\\t1\" is not a number (value 1 of \"sabbia\")\n"
     "     4 | sabbia,\\t1\n"
     "       |        ^~~\n"
     "note: a tab is not skipped before a value, only spaces are; replace it with spaces\n"},
    {"entry of one value without it",
     {},
     {"numero vetture"},
     1,
     "Prova_L1-.txt:4:1: error 25: \"numero vetture\" expects 1 value; line 4 holds 0\n"
     "     4 | numero vetture\n"
     "       | ^~~~~~~~~~~~~~\n"
     "note: the field \"numero vetture\" is read as the keyword \"numero vetture\" (the files have "
     "no comments: a line that holds a keyword is an entry)\n"
     "note: the values ran on into line 5, where \"[fine]\" is not a number\n"},
    {"negative position",
     {},
     {"segnale, -100, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0"},
     1,
     "Prova_L1-.txt:4:10: error 25: the cell at -100 to -50 m lies before the start of the line\n"
     "     4 | segnale, -100, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0\n"
     "       |          ^~~~\n"},
    {"platform length off the 100 m mark (9)",
     {},
     {"stazione, 800, 28, 350, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, A"},
     1,
     "Prova_L1-.txt:4:20: error 9: the platform length 350 m is not a multiple of 100 (at 800 m)\n"
     "     4 | stazione, 800, 28, 350, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, A\n"
     "       |                    ^~~\n"},
};

TEST(Diagnostics, Warnings) {
  for (const Case& c : kWarnings) check_case(c);
}

TEST(Diagnostics, Faults) {
  for (const Case& c : kFaults) check_case(c);
}

}  // namespace
}  // namespace sb::test
