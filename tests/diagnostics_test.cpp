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
    {"curve skipped without a route plan", {"curvad4, 1500, 300"}, {}, 0, "", {"--no-geometry"}},
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
     "Prova_L1-.txt:4:1: error 25: \"segnale\" expects 11 values; line 4 holds 0\n"
     "     4 | # il segnale protegge il bivio\n"
     "       | ^~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\n"
     "note: the field \"# il segnale protegge il bivio\" is read as the keyword \"segnale\" (the "
     "files have no comments: a line that holds a keyword is an entry)\n"
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
     "Prova_linea.txt:5:1: error 25: \"pendenza\" at 200 m fills the cells before it with the "
     "gradient 2147483548, which cannot be stored: plus 100 it does not fit 32 bits\n"
     "     5 | pendenza, 200, 0\n"
     "       | ^~~~~~~~\n"
     "note: the gradient 2147483548 was set by \"pendenza\" at 0 m (Prova_linea.txt:4)\n"},
    {"gradient whose stored sum passes 32 bits, written by the tail fill (25)",
     {"pendenza, 0, 2147483548"},
     {},
     1,
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
     "Prova_linea.txt:3:1: error 2: \"progressiva chilometrica uno\" has the second value 25 m, "
     "which is not a multiple of 50\n"
     "     3 | progressiva chilometrica uno, 0, 25, 0\n"
     "       | ^~~~~~~~~~~~~~~~~~~~~~~~~~~~\n",
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
     "Prova_linea.txt:4:1: error 15: \"pendenza\" lies beyond the end of the track table, which "
     "takes entries up to 12900 m: the route's 6000 m and its 7000 m run-out, less 100 m (at 12950 "
     "m)\n"
     "     4 | pendenza, 12950, 1\n"
     "       | ^~~~~~~~\n"
     "note: the train file's reading stopped at the signal at 2000 m (Prova_L1-.txt:4): while "
     "fault 15 stands, a signal or slow order ends the reading, so the rest of the train file and "
     "the speed and adhesion fills were not read\n"},
    {"route length leaving no cell 1",
     {},
     {},
     1,
     "Prova_L1-.txt:2:1: error 15: \"velocita\" lies beyond the end of the track table, which "
     "takes entries up to -100 m: the route's -7000 m and its 7000 m run-out, less 100 m (at 0 m)\n"
     "     2 | velocita, 0, 30\n"
     "       | ^~~~~~~~\n"
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
     "Prova_L1-.txt:5:1: error 22: the platform starts at 1050 m, less than 350 m after the "
     "previous platform's end at 950 m (at 1200 m)\n"
     "     5 | stazione, 1200, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, B\n"
     "       | ^~~~~~~~\n"},
    {"station position off the 50 m mark (8)",
     {},
     {"stazione, 825, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, A"},
     1,
     "Prova_L1-.txt:4:1: error 8: the station position is not a multiple of 50 (at 825 m)\n"
     "     4 | stazione, 825, 28, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,11,1, A\n"
     "       | ^~~~~~~~\n"},
};

TEST(Diagnostics, Warnings) {
  for (const Case& c : kWarnings) check_case(c);
}

TEST(Diagnostics, Faults) {
  for (const Case& c : kFaults) check_case(c);
}

}  // namespace
}  // namespace sb::test
