#include "driver/diagnostics.h"

#include <ostream>

namespace sb {

std::string fault_message(std::int32_t code) {
  switch (code) {
    case 1:
      return "route length is above 1000000 m";
    case 2:
      return "a \"progressiva chilometrica\" entry has a first or second value that is not a "
             "multiple of 50";
    case 3:
      return "first signal-repetition value is not a multiple of 50";
    case 4:
      return "second signal-repetition value is not a multiple of 50";
    case 5:
      return "signal-repetition keyword names neither 4 nor 9 codes";
    case 6:
      return "the signboard's cell already holds another object";
    case 7:
      return "the \"abbattimento\" point's cell already holds another object";
    case 8:
      return "station position is not a multiple of 50";
    case 9:
      return "platform length is not a multiple of 100";
    case 10:
      return "too many stations: the station table is full (at most 78, fewer with signboards)";
    case 11:
      return "no free cell for the protection point of a signal before a slow-order warning board";
    case 12:
      return "no free cell for a protection point before a slow-order start";
    case 13:
      return "no free cell for a protection point along or after a slow order";
    case 15:
      return "entry lies beyond the end of the track table";
    case 16:
      return "the signal's cell already holds another object";
    case 17:
      return "the slow order's warning-board cell already holds another object";
    case 18:
      return "the slow order's start cell already holds another object";
    case 19:
      return "the slow order's end cell already holds another object";
    case 20:
      return "one of the slow order's four pre-warning cells already holds another object";
    case 21:
      return "the speed board's cell already holds another object";
    case 22:
      return "platform starts less than 350 m after the end of the previous platform";
    case 24:
      return "the station's stop cell would fall at cell 1 or before";
    case 25:
      return "the scenario could not be read";
    case 101:
      return "line file not found";
    case 102:
      return "no \"[generale]\" section before the end of the line file";
    case 103:
      return "curve keyword has no class digit 1 to 6, or the route plan passes 1000000 points";
    default:
      return "unknown fault";
  }
}

std::string format_fault(const Fault& fault) {
  std::string text;
  if (!fault.file.empty() && fault.line > 0) {
    text = fault.file + ":" + std::to_string(fault.line) + ": ";
  } else {
    text = "scenario_builder: ";
  }
  text += "error " + std::to_string(fault.code) + ": " + fault_message(fault.code);
  if (!fault.detail.empty()) text += ": " + fault.detail;
  if (fault.position) text += " (at " + std::to_string(*fault.position) + " m)";
  return text;
}

void report_faults(const FaultLog& log, std::ostream& out) {
  for (const Fault& fault : log.faults) out << format_fault(fault) << '\n';
}

}  // namespace sb
