// The faults the reader and the compiler record. Each has the number it is reported with
// ("error 16:", the JSON `code`, `error_code`), written once, as the value of its name here,
// and one row in the fault table: its message, and its explanation (why it is reported, a
// scenario that gives it and how to fix it), which `explain` and the author's manual give.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string_view>

#include "model/example_scenario.h"

namespace sb {

enum class Fault : std::int32_t {
  kRouteTooLong = 1,                 // "lunghezza percorso" above the longest route
  kChainageNotMultiple = 2,          // a kilometric-chainage value off the 50 m grid
  kRepetitionFirstNotMultiple = 3,   // the first signal-repetition value off the 50 m grid
  kRepetitionSecondNotMultiple = 4,  // the second signal-repetition value off the 50 m grid
  kRepetitionWithoutCodes = 5,       // the signal-repetition keyword names no 4 or 9 codes
  kSignboardCellTaken = 6,           // a signboard's cell already holds an object
  kAbbattimentoCellTaken = 7,        // an "abbattimento" point's cell already holds an object
  kStationNotMultiple = 8,           // a station position off the 50 m grid
  kPlatformNotMultiple = 9,          // a platform length not a multiple of 100
  kStationTableFull = 10,            // no station slot left
  kNoRoomBeforeSignal = 11,          // no cell for the point before a signal before a board
  kNoRoomBeforeSlowOrder = 12,       // no cell for a point in a band before a slow order
  kNoRoomAlongSlowOrder = 13,        // no cell for a point along or after a slow order
  kBeyondTrackTable = 15,            // an entry beyond the track table: the pass ends there
  kSignalCellTaken = 16,             // a signal's cell already holds an object
  kWarningBoardCellTaken = 17,       // a slow order's warning-board cell is taken
  kSlowOrderStartCellTaken = 18,     // a slow order's start cell is taken
  kSlowOrderEndCellTaken = 19,       // a slow order's end cell is taken
  kPreWarningCellTaken = 20,         // one of a slow order's pre-warning cells is taken
  kSpeedBoardCellTaken = 21,         // a speed board's cell already holds a speed board
  kPlatformsTooClose = 22,           // a platform too close after the previous one
  kStopTooEarly = 24,                // a station's stop at or before 50 m
  kUnreadable = 25,                  // a file or a value that could not be read
  kNoLineFile = 101,                 // the line file is not there
  kNoGeneralSection = 102,           // the line file has no "[generale]"
  kBadCurve = 103,                   // a curve without a class, or beyond the route plan
  kHeaderMarkerSet = 1250,           // the error stop: the header marker field is taken
  kHeaderCodeSet = 1251,             // the error stop: the header code field is taken
};

// The number a fault is reported with.
constexpr std::int32_t fault_number(Fault f) {
  return static_cast<std::int32_t>(f);
}

struct FaultInfo {
  Fault fault;
  // One line: what a fault that carries no words of its own says, and its line in the list
  // that `explain` prints.
  std::string_view message;
  std::string_view cause;  // why the program reports it
  ExampleScenario example;
  std::string_view fix;  // what the author does about it
};

// Every fault, in increasing order of number.
inline constexpr FaultInfo kFaults[] = {
    {.fault = Fault::kRouteTooLong,
     .message = "the route length is above 1000000 m",
     .cause = "The \"lunghezza percorso\" entry of the line file gives a route length above "
              "1000000 m. The reading stops at that entry: nothing else is read and nothing is "
              "compiled.",
     .example = {.line_file = "[generale]\n"
                              "lunghezza percorso, 1200000\n"
                              "[fine]\n"},
     .fix = "Give a route length of at most 1000000 m (1000 km). A longer line has to be cut "
            "into two scenarios."},
    {.fault = Fault::kChainageNotMultiple,
     .message = "a \"progressiva chilometrica\" entry has a first or second value that is not a "
                "multiple of 50",
     .cause = "A \"progressiva chilometrica\" entry (uno, due or tre) of the line file has a "
              "first or second value that is not a multiple of 50. The three references are "
              "checked once the train file has been read, after they have been put in order "
              "and after a third value of 1 has added 100 m to the second, so the fault comes "
              "after every other one.",
     .example = {.line_file = "[generale]\n"
                              "lunghezza percorso, 10000\n"
                              "progressiva chilometrica uno, 0, 25, 0\n"
                              "[fine]\n"},
     .fix = "Write the first and second values of all three kilometric-chainage references as "
            "multiples of 50 m."},
    {.fault = Fault::kRepetitionFirstNotMultiple,
     .message = "the first signal-repetition value is not a multiple of 50",
     .cause = "The first value of the \"ripetizione segnali\" entry is not a multiple of 50. "
              "The reading stops at that entry.",
     .example = {.line_file = "[generale]\n"
                              "lunghezza percorso, 10000\n"
                              "ripetizione segnali 4 codici, 75, 0\n"
                              "[fine]\n"},
     .fix = "Write it as a multiple of 50 m (0, 50, 100 ...)."},
    {.fault = Fault::kRepetitionSecondNotMultiple,
     .message = "the second signal-repetition value is not a multiple of 50",
     .cause = "The second value of the \"ripetizione segnali\" entry is not a multiple of 50. "
              "The reading stops at that entry.",
     .example = {.line_file = "[generale]\n"
                              "lunghezza percorso, 10000\n"
                              "ripetizione segnali 4 codici, 100, 75\n"
                              "[fine]\n"},
     .fix = "Write it as a multiple of 50 m (0, 50, 100 ...)."},
    {.fault = Fault::kRepetitionWithoutCodes,
     .message = "the signal-repetition keyword names neither 4 nor 9 codes",
     .cause = "The keyword of the \"ripetizione segnali\" entry holds neither the digit 4 nor "
              "the digit 9, which tell whether the signal repetition has 4 or 9 codes. The "
              "reading stops at that entry.",
     .example = {.line_file = "[generale]\n"
                              "lunghezza percorso, 10000\n"
                              "ripetizione segnali, 100, 50\n"
                              "[fine]\n"},
     .fix = "Write the number of codes into the keyword: \"ripetizione segnali 4 codici\" or "
            "\"ripetizione segnali 9 codici\"."},
    {.fault = Fault::kSignboardCellTaken,
     .message = "the signboard's cell already holds an object",
     .cause = "A signboard at p m goes into the 50 m cell round(p / 50 + 1), and that cell "
              "already holds a speed board or another signboard: a cell holds one object. The "
              "reading stops at the signboard.",
     .example = {.line_file = "[generale]\n"
                              "lunghezza percorso, 10000\n"
                              "[cartelli]\n"
                              "indicatori_vmax, 1000, 60,60,60,0, 60,60,60,0\n"
                              "indicatore cartello, 1010, USCITA\n"
                              "[fine]\n"},
     .fix = "Move the signboard or the other object into another cell. Two positions at least "
            "50 m apart never share a cell."},
    {.fault = Fault::kAbbattimentoCellTaken,
     .message = "the \"abbattimento\" point's cell already holds an object",
     .cause = "An \"abbattimento\" point at x m goes into the cell round(x / 50), one cell "
              "before the cell that a signal or a slow order at x m would take, and that cell "
              "already holds another object: a signal, a slow-order mark, a station stop, a "
              "speed board, a signboard or another point. The reading stops at the point.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "segnale, 5000, 0, 1,0,0, 0, 0, 1,0,0, 0\n"
                               "abbattimento, 5050, 0\n"
                               "[fine]\n"},
     .fix = "Move the point into a free cell. A point at x m shares its cell with a signal at "
            "x - 50 m."},
    {.fault = Fault::kStationNotMultiple,
     .message = "the station position is not a multiple of 50",
     .cause = "A station's position, the first value of its \"stazione\" entry, is not a "
              "multiple of 50. The reading stops at the station.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "stazione, 2925, 26, 300, 0,0,0, 0,0,0, 0,0,0, 60, 12,0,0, MONTE\n"
                               "[fine]\n"},
     .fix = "Put the station on a multiple of 50 m."},
    {.fault = Fault::kPlatformNotMultiple,
     .message = "the platform length is not a multiple of 100",
     .cause = "A station's platform length, the third value of its \"stazione\" entry, is not a "
              "multiple of 100. The reading stops at the station.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "stazione, 2900, 26, 350, 0,0,0, 0,0,0, 0,0,0, 60, 12,0,0, MONTE\n"
                               "[fine]\n"},
     .fix = "Give the platform a length that is a multiple of 100 m."},
    {.fault = Fault::kStationTableFull,
     .message = "too many stations: the station table is full (at most 78, fewer with signboards)",
     .cause = "The station table is full. It holds 78 stations, one fewer for every signboard "
              "of the line file, since the signboards' texts fill the same table from its other "
              "end. The fault comes at the first station that does not fit, which is still "
              "stored, and the reading stops there.",
     .example = {.line_file = "[generale]\n"
                              "lunghezza percorso, 40000\n"
                              "[fine]\n",
                 .train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "stazione, {p}, 26, 0, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, FERMATA\n"
                               "[fine]\n",
                 .repeat = 79,
                 .step = 400},
     .fix = "Keep to 78 stations less the number of signboards; drop a signboard to make room "
            "for a station."},
    {.fault = Fault::kNoRoomBeforeSignal,
     .message = "no free cell for the protection point of a signal before a slow-order warning "
                "board",
     .cause = "Every signal in the 20 cells (1000 m) before a slow order's warning board gets a "
              "protection point, an \"abbattimento\" point of value 180, in one of the two "
              "cells just before the signal; an existing point there is lowered to 180 instead. "
              "Here both cells hold other objects and neither is a point with a value. The "
              "signal gets no protection point; the compiler goes on. The position is the "
              "signal's cell.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "segnale, 1450, 0, 1,0,0, 0, 0, 1,0,0, 0\n"
                               "abbattimento, 1400, 0\n"
                               "abbattimento, 1450, 0\n"
                               "rallentamento, 3000, 30, 200, 0, 0, 0\n"
                               "[fine]\n"},
     .fix = "Free one of the two cells before the signal (here the points without a value at "
            "1400 m and 1450 m), or move the signal, or the slow order, so that the signal "
            "stands more than 1000 m before the warning board."},
    {.fault = Fault::kNoRoomBeforeSlowOrder,
     .message = "no free cell for a protection point before a slow-order start",
     .cause = "Before every slow order's start the compiler places three protection points, one "
              "in each band of three cells: 5 to 7, 11 to 13 and 18 to 20 cells before the "
              "start cell (250 m to 350 m, 550 m to 650 m and 900 m to 1000 m before it). Here "
              "all three cells of one band hold other objects. The band gets no point; the "
              "compiler goes on. The position is the start's cell.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "abbattimento, 700, 0\n"
                               "abbattimento, 750, 0\n"
                               "abbattimento, 800, 0\n"
                               "rallentamento, 1000, 30, 200, 0, 0, 0\n"
                               "[fine]\n"},
     .fix = "Leave at least one cell of every band free: move one of the objects in it, or move "
            "the slow order."},
    {.fault = Fault::kNoRoomAlongSlowOrder,
     .message = "no free cell for a protection point along or after a slow order",
     .cause = "A slow order whose speed is below 110 gets a protection point every 8 cells "
              "(400 m) along it, and the first signal within 12 cells (600 m) after its end "
              "gets one in one of the two cells before the signal. Here the cell for such a "
              "point and the cells next to it hold other objects. The point is left out; the "
              "compiler goes on. The position is the cell where the point was due.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "abbattimento, 1400, 0\n"
                               "abbattimento, 1450, 0\n"
                               "abbattimento, 1500, 0\n"
                               "rallentamento, 1000, 30, 1000, 0, 0, 0\n"
                               "[fine]\n"},
     .fix = "Free the cells around the point's place, or move the slow order or the signal "
            "after it."},
    {.fault = Fault::kBeyondTrackTable,
     .message = "the entry lies beyond the end of the track table",
     .cause = "An entry lies beyond the end of the track table. The table covers the route "
              "length and 7000 m of run-out after it, and an entry at p m is accepted while "
              "p is at most 100 m before the table's end (a station at most 800 m before it); "
              "with a route length of 10000 m that is 16900 m, for a station 16200 m. The "
              "reading of the file ends at the entry; after a line-file entry the train file "
              "is still read.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "segnale, 17000, 0, 1,0,0, 0, 0, 1,0,0, 0\n"
                               "[fine]\n"},
     .fix = "Correct the position, or the route length: objects belong on the route, before "
            "its length."},
    {.fault = Fault::kSignalCellTaken,
     .message = "the signal's cell already holds an object",
     .cause = "A signal at p m goes into the cell round(p / 50 + 1), and that cell already "
              "holds another object: a signal, a slow-order mark, a station stop, a speed "
              "board, a signboard or an \"abbattimento\" point. The reading stops at the "
              "signal.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "segnale, 5000, 0, 1,0,0, 0, 0, 1,0,0, 0\n"

                               "segnale, 5010, 0, 1,0,0, 0, 0, 1,0,0, 0\n"
                               "[fine]\n"},
     .fix = "Move the signal or the other object into another cell. Two positions at least "
            "50 m apart never share a cell."},
    {.fault = Fault::kWarningBoardCellTaken,
     .message = "the slow order's warning-board cell already holds an object",
     .cause = "A slow order starting at x m beyond 1500 m has a warning board 1200 m before "
              "its start, in the cell round((x - 1200) / 50 + 1), and that cell already holds "
              "another object. Nothing of the slow order is written, and the reading stops.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "segnale, 1800, 0, 1,0,0, 0, 0, 1,0,0, 0\n"
                               "rallentamento, 3000, 30, 200, 0, 0, 0\n"
                               "[fine]\n"},
     .fix = "Move the object at the warning board's place (1200 m before the slow order), or "
            "the slow order."},
    {.fault = Fault::kSlowOrderStartCellTaken,
     .message = "the slow order's start cell already holds an object",
     .cause = "A slow order starting at x m goes into the cell round(x / 50 + 1), and that "
              "cell already holds another object. Nothing of the slow order is written, and "
              "the reading stops.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "segnale, 3000, 0, 1,0,0, 0, 0, 1,0,0, 0\n"
                               "rallentamento, 3000, 30, 200, 0, 0, 0\n"
                               "[fine]\n"},
     .fix = "Move the slow order or the object at its start."},
    {.fault = Fault::kSlowOrderEndCellTaken,
     .message = "the slow order's end cell already holds an object",
     .cause = "A slow order from x m, l m long, ends in the cell round((x + l) / 50 + 1), and "
              "that cell already holds another object. Nothing of the slow order is written, "
              "and the reading stops. The position is the slow order's start.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "segnale, 3200, 0, 1,0,0, 0, 0, 1,0,0, 0\n"
                               "rallentamento, 3000, 30, 200, 0, 0, 0\n"
                               "[fine]\n"},
     .fix = "Change the slow order's length, or move the object at its end."},
    {.fault = Fault::kPreWarningCellTaken,
     .message = "one of the slow order's four pre-warning cells already holds an object",
     .cause = "A slow order whose fifth value is not 0 asks for four pre-warning cells just "
              "before its warning board, 1250 m to 1400 m before its start; one of them already "
              "holds another object. The start, the end and the warning board are written, the "
              "pre-warning cells are not, and the reading stops. The position is the slow "
              "order's start.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "segnale, 1700, 0, 1,0,0, 0, 0, 1,0,0, 0\n"
                               "rallentamento, 3000, 30, 200, 0, 1, 0\n"
                               "[fine]\n"},
     .fix = "Move the object out of the four cells before the warning board, or move the slow "
            "order, or give it no pre-warning (fifth value 0)."},
    {.fault = Fault::kSpeedBoardCellTaken,
     .message = "the speed board's cell already holds an object",
     .cause = "A speed board at p m goes into the cell round(p / 50 + 1), and that cell "
              "already holds another speed board. The reading stops at the board.",
     .example = {.line_file = "[generale]\n"
                              "lunghezza percorso, 10000\n"
                              "[cartelli]\n"
                              "indicatori_vmax, 1000, 60,60,60,0, 60,60,60,0\n"
                              "indicatori_vmax, 1020, 80,80,80,0, 80,80,80,0\n"
                              "[fine]\n"},
     .fix = "Keep one speed board per cell: move one of them by 50 m or more, or remove it."},
    {.fault = Fault::kPlatformsTooClose,
     .message = "the platform starts less than 350 m after the end of the previous platform",
     .cause = "A station's platform starts less than 350 m after the end of the previous "
              "station's platform. Stations come in the file in increasing order of position, "
              "and where a platform starts and ends follows from the station's kind and "
              "platform length. The reading stops at the station.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "stazione, 1000, 26, 200, 0,0,0, 0,0,0, 0,0,0, 60, 12,0,0, MONTE\n"
                               "stazione, 1400, 26, 200, 0,0,0, 0,0,0, 0,0,0, 60, 12,5,0, VALLE\n"
                               "[fine]\n"},
     .fix = "Move the station further on (here to 1550 m or beyond), shorten a platform, or put "
            "the stations in the order of their positions."},
    {.fault = Fault::kStopTooEarly,
     .message = "the station's stop would fall at or before 50 m",
     .cause = "A station of kind below 25 stops the train in the cell round(end / 50 - 1), "
              "end being the end of its platform; that cell would be cell 1 or before, which "
              "happens when the platform ends at 100 m or earlier. The reading stops at the "
              "station.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "stazione, 0, 22, 100, 0,0,0, 0,0,0, 0,0,0, 60, 12,0,0, CAPOLINEA\n"
                               "[fine]\n"},
     .fix = "Let the platform end beyond 100 m: move the station, or lengthen its platform (a "
            "station of kind 22 at 0 m with a 400 m platform ends at 200 m)."},
    {.fault = Fault::kUnreadable,
     .message = "the scenario could not be read",
     .cause = "A file could not be read; the message says why: a field that should be a number "
              "is not one, a value too large for the field it goes into, a file that ends in "
              "the middle of an entry, a position whose cell lies outside the track table, a "
              "name too long, or a file that cannot be opened. The reading stops there.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, sessanta\n"
                               "aderenza, 0, 100\n"
                               "[fine]\n"},
     .fix = "Correct the field that the message names, at the line it gives."},
    {.fault = Fault::kNoLineFile,
     .message = "the line file was not found",
     .cause = "The line file SCENARIO_linea.txt is not in the folder read (the --dir folder, "
              "or the current folder). Nothing is read and nothing is compiled.",
     .example = {.no_line_file = true},
     .fix = "Check the scenario name and the folder: the line file's name is the scenario "
            "name followed by \"_linea.txt\", the train file's the scenario name, \"_\", the "
            "line name and \"-.txt\". A note under the fault names a file whose name differs "
            "only in case, \"-\" or blanks (the simulator's Windows finds a name in another "
            "case, this program does not), the names to give when a file's name was typed for "
            "SCENARIO or LINE, or else the scenarios whose line files the folder does hold."},
    {.fault = Fault::kNoGeneralSection,
     .message = "no \"[generale]\" section in the line file: nothing was read from it",
     .cause = "The line file has no field holding \"[generale]\" before its last line. "
              "Everything before \"[generale]\" is ignored, so nothing is read and nothing is "
              "compiled.",
     .example = {.line_file = "lunghezza percorso, 10000\n"
                              "[fine]\n"},
     .fix = "Begin the line file with the line \"[generale]\", followed by its general "
            "entries."},
    {.fault = Fault::kBadCurve,
     .message = "a curve keyword without a class digit 1 to 6, or a route plan beyond 1000000 m",
     .cause = "A curve keyword holds none of the class digits 1 to 6, or a curve reaches "
              "beyond 1000000 m, where the route plan ends. The reading stops at the curve.",
     .example = {.line_file = "[generale]\n"
                              "lunghezza percorso, 10000\n"
                              "[curve]\n"
                              "curvad, 1000, 200\n"
                              "[fine]\n"},
     .fix = "Write the curve's class into its keyword, as in \"curvad4\" (1 gentlest, 6 "
            "sharpest), and end every curve within 1000000 m."},
    {.fault = Fault::kHeaderMarkerSet,
     .message = "the header marker field is already set",
     .cause = "The compiler stamps a marker into the first value of track cell 1 (0 m to 50 m, "
              "the cell of the objects placed less than 25 m from 0 m) and into the scenario's "
              "slot of the station table, and stops when it finds one of them already set: a "
              "signal, a speed board, a signboard or a slow-order mark there, or an "
              "\"abbattimento\" point between 25 m and 75 m. The program prints \" Errore n. "
              "1250\" and writes nothing.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "segnale, 0, 2, 3,0,0, 0, 2, 2,0,0, 0\n"
                               "[fine]\n"},
     .fix = "Move the object to 50 m or beyond (an \"abbattimento\" point to 100 m or beyond). "
            "Cell 1 is the header of the compiled track."},
    {.fault = Fault::kHeaderCodeSet,
     .message = "the header code field is already set",
     .cause = "The compiler stamps the scenario's check code into the second value of track "
              "cell 1 and into the scenario's slot of the station table, and stops when it "
              "finds one of them already set. An object at 0 m whose first value is 0 but "
              "whose second is not gives it: a signal whose s1 and d1 are 0, a slow-order mark "
              "of speed 0 with a second speed. The program prints \" Errore n. 1251\" and "
              "writes nothing.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "segnale, 0, 0, 0,1,0, 0, 0, 0,0,0, 0\n"
                               "[fine]\n"},
     .fix = "Move the object to 50 m or beyond. Cell 1 is the header of the compiled track."},
};

// One row per fault, in increasing order of number: the order in which `explain` and the
// manual list them.
static_assert(std::ranges::adjacent_find(kFaults, std::ranges::greater_equal{},
                                         &FaultInfo::fault) == std::ranges::end(kFaults));

// The row of the fault with that number; nullptr when no fault has it.
constexpr const FaultInfo* find_fault(std::int32_t number) {
  for (const FaultInfo& row : kFaults) {
    if (fault_number(row.fault) == number) return &row;
  }
  return nullptr;
}

}  // namespace sb
