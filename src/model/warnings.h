// The warnings the reader gives: things it reads without a fault but that an author almost
// never means. A warning never changes what is stored; it only tells the author. Each has a
// name, printed after the message as [NAME] and used by `explain` and the manual.
#pragma once

#include <cstdint>
#include <string_view>

namespace sb {

enum class Warning : std::uint8_t {
  kUnknownKeyword,    // a field read as a keyword that matches no entry, and is skipped
  kNoGeneralSection,  // a train file without "[generale]": nothing was read from it
  kMisplacedEntry,    // an entry of the general section in the body, or the other way round
  kKeywordCase,       // a case-sensitive general keyword written with other capitals
  kSuspiciousName,    // a name or text field that is a number or holds a keyword
  kInRunOut,          // a positioned entry beyond the route length, in the run-out
  kCurveOrder,        // a curve that starts before the route plan has reached it
  kListStart,         // the speed or adhesion list does not start at position 0
  kNameEncoding,      // a name whose bytes above 127 form UTF-8
  kNameCharacters,    // a name with trailing blanks or control characters
  kValueWrapped,      // a value its stored field does not keep as written
  kValueRange,        // a value stored as written but outside its documented range
  kZeroSpeedBoard,    // a speed board whose speeds are all 0
  kTimeOfDay,         // a clock or stop time with hour >= 24 or minute or second >= 60
  kSlowOrderLength,   // a slow order shorter than 50 m, or of a negative length
  kSlowOrderSpan,     // a slow order across another one or across stations
};

struct WarningInfo {
  Warning warning;
  std::string_view name;     // as printed in brackets and accepted by `explain`
  std::string_view summary;  // one line, for the list that `explain` prints
};

inline constexpr WarningInfo kWarnings[] = {
    {Warning::kUnknownKeyword, "unknown-keyword",
     "a field that matches no keyword is skipped (misspelt keyword, value too many or too few)"},
    {Warning::kNoGeneralSection, "no-general-section",
     "the train file has no \"[generale]\" section, so nothing was read from it"},
    {Warning::kMisplacedEntry, "misplaced-entry",
     "an entry of the general section after it, or a body entry inside it, is not recognised"},
    {Warning::kKeywordCase, "keyword-case",
     "a general keyword that must be written in lower case has capitals, and is not recognised"},
    {Warning::kSuspiciousName, "suspicious-name",
     "a name or text that is a number or holds a keyword: the entry has a value too many or "
     "too few"},
    {Warning::kInRunOut, "in-run-out",
     "an entry lies beyond the route length, in the 7000 m run-out"},
    {Warning::kCurveOrder, "curve-order",
     "a curve starts before the route plan has reached it (out of order or overlapping)"},
    {Warning::kListStart, "list-start", "the speed or adhesion list does not start at position 0"},
    {Warning::kNameEncoding, "name-encoding",
     "a name holds UTF-8 characters, which the simulator's single-byte code page shows "
     "garbled"},
    {Warning::kNameCharacters, "name-characters",
     "a name ends in blanks or holds control characters"},
    {Warning::kValueWrapped, "value-wrapped",
     "a value that its stored field does not keep as written: the simulator reads another one"},
    {Warning::kValueRange, "value-range",
     "a value outside its documented range, which the simulator does not read as meant"},
    {Warning::kZeroSpeedBoard, "zero-speed-board", "a speed board whose speeds are all 0"},
    {Warning::kTimeOfDay, "time-of-day",
     "a clock or stop time with an hour of 24 or more, or minutes or seconds of 60 or more"},
    {Warning::kSlowOrderLength, "slow-order-length",
     "a slow order whose length (its third value) is negative, 0 or below 50 m"},
    {Warning::kSlowOrderSpan, "slow-order-span",
     "a slow order that runs across another one or across stations: its third value is likely "
     "its end, not its length"},
};

inline constexpr std::string_view warning_name(Warning w) {
  for (const WarningInfo& info : kWarnings) {
    if (info.warning == w) return info.name;
  }
  return "warning";
}

}  // namespace sb
