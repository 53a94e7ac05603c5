// What each entry of the scenario files says: a one-line summary and, value by value, its name,
// unit, range and what it becomes in the compiled files, in the order the entry reads them.
// The rows follow the keyword table (one per keyword, by its spelling); the language server's
// hover, signature help and snippets read them, and the tests hold them to the manual's tables.
#pragma once

#include <span>
#include <string_view>

#include "reader/keywords.h"

namespace sb {

// How a position value chooses its track cell.
enum class Placement {
  kNone,     // not a position on the track
  kPoint,    // a point object at p: cell round(p / 50 + 1)
  kStretch,  // a value from p on: cell round(p / 50)
};

struct EntryValue {
  std::string_view name;
  std::string_view unit;  // empty for a plain number or a text
  std::string_view range;
  std::string_view becomes;
  Placement placement = Placement::kNone;
};

struct EntryValues {
  std::string_view spelling;  // the keyword row's spelling
  std::string_view summary;
  std::span<const EntryValue> values;
};

namespace entry_values {

inline constexpr EntryValue kRouteLength[] = {
    {"route length L", "m", "0 to 1000000 (above: fault 1; below 0: warning `value-range`)",
     "slot 84 end_m; the track table gets round((L + 7000) / 50) cells after cell 0"}};
inline constexpr EntryValue kChainage[] = {
    {"first value", "m", "a multiple of 50 (fault 2)", "start_m of slot 81, 82 or 83"},
    {"second value", "m", "a multiple of 50 (fault 2)", "end_m of the same slot"},
    {"third value", "", "1 adds 100 m to the second value", "position_m of the same slot"}};
inline constexpr EntryValue kBackgroundOne[] = {
    {"first background", "", "32-bit number", "slot 85 start_m"}};
inline constexpr EntryValue kBackgroundTwo[] = {
    {"second background", "", "32-bit number", "slot 85 position_m"}};
inline constexpr EntryValue kBackgroundThree[] = {
    {"third background", "", "32-bit number", "slot 85 end_m"}};
inline constexpr EntryValue kSignalRepetition[] = {
    {"first value", "m", "a multiple of 50 (fault 3)", "slot 86 start_m"},
    {"second value", "m", "a multiple of 50 (fault 4); 0 turns the repetition off",
     "slot 86 end_m"}};
inline constexpr EntryValue kGradient[] = {
    {"position p", "m", "range check; below 0 (warning `value-range`) it holds from 0 m",
     "first cell round(p / 50)", Placement::kStretch},
    {"gradient g", "the simulator's gradient unit",
     "-100 to 155 (warning `value-wrapped`: stored wrapped around)",
     "gradient byte g + 100 of every cell up to the next entry's cell"}};
inline constexpr EntryValue kCurve[] = {
    {"start p", "m", "range check", "the route plan turns from metre p + 1"},
    {"length n", "m",
     "p + n at most 1000000 (fault 103) and within the route plan (fault 25); 0 or less turns "
     "nothing (warning `value-range`)",
     "up to metre p + n"}};
inline constexpr EntryValue kMountainSide[] = {
    {"start", "m", "range check", "first cell round(start / 50)", Placement::kStretch},
    {"end", "m", "its last cell round(end / 50 - 1) within the track table (fault 25)",
     "last cell"},
    {"type t", "", "0 to 255; above 10: type t - 10 with markers (warning `value-wrapped`)",
     "mountain_side byte of every cell of the stretch"}};
inline constexpr EntryValue kSpeedBoard[] = {
    {"position p", "m", "range check", "cell round(p / 50 + 1), kind 6", Placement::kPoint},
    {"vas: first speed, s side", "km/h",
     "multiples of 5 below 500 pack exactly (warning `value-wrapped`)",
     "value1 = vas x 20 + vad / 5"},
    {"vbs: second speed, s side", "km/h", "as above", "value2 = vbs x 20 + vbd / 5"},
    {"vcs: third speed, s side", "km/h", "as above", "value3 = vcs x 20 + vcd / 5"},
    {"strisces: stripes, s side", "", "0 to 9 (warning `value-range`)",
     "value4 = strisces x 10 + strisced"},
    {"vad: first speed, d side", "km/h", "as row 2", "value1"},
    {"vbd: second speed, d side", "km/h", "as row 2", "value2"},
    {"vcd: third speed, d side", "km/h", "as row 2", "value3"},
    {"strisced: stripes, d side", "", "0 to 9 (warning `value-range`)", "value4"}};
inline constexpr EntryValue kSignboard[] = {
    {"position p", "m", "range check", "cell round(p / 50 + 1), kind 14", Placement::kPoint},
    {"text", "", "up to 65 535 bytes (fault 25), no comma",
     "name of slot 80 for the first signboard, 79 for the second, and so on"}};
inline constexpr EntryValue kBrakedMass[] = {
    {"braked-mass percentage", "%", "32-bit number", "slot 84 start_m"}};
inline constexpr EntryValue kCars[] = {
    {"number of cars", "", "32-bit number", "slot 84 position_m"}};
inline constexpr EntryValue kSpeed[] = {
    {"position a", "m", "range check", "first cell round(a / 50)", Placement::kStretch},
    {"speed v", "km/h", "0 to 1277 (fault 25 beyond)",
     "speed_limit byte round(v / 5) of every cell up to the next entry's"}};
inline constexpr EntryValue kAdhesion[] = {
    {"position a", "m", "range check", "first cell round(a / 50)", Placement::kStretch},
    {"adhesion h", "", "0 to 255 (warning `value-wrapped`)",
     "adhesion byte of every cell up to the next entry's"}};
inline constexpr EntryValue kClock[] = {
    {"hours", "h", "-32768 to 32767 (fault 25 beyond)", "slot 86 param_g"},
    {"minutes", "min", "-32768 to 32767 (fault 25 beyond)", "slot 86 param_h"},
    {"seconds", "s", "-32768 to 32767 (fault 25 beyond)", "slot 86 param_i"}};
inline constexpr EntryValue kSand[] = {
    {"sand value", "", "-32768 to 32767 (fault 25 beyond)", "slot 86 param_d"}};
inline constexpr EntryValue kSignal[] = {
    {"position p", "m", "range check", "cell round(p / 50 + 1), kind 1", Placement::kPoint},
    {"sx", "", "0 to 2 (warning `value-range`)",
     "value4 = rapp x 10 + sx x 3 + dx; 2: the cell also keeps the time"},
    {"s1", "", "0 to 9 (warning `value-range`)", "value1 = s1 x 10 + d1"},
    {"s2", "", "0 to 9 (warning `value-range`)", "value2 = s2 x 10 + d2"},
    {"s3", "", "0 to 9 (warning `value-range`)", "value3 = s3 x 10 + d3"},
    {"rapp", "", "0 to 9 (warning `value-range`)", "value4"},
    {"dx", "", "0 to 2 (warning `value-range`)", "value4"},
    {"d1", "", "0 to 9 (warning `value-range`)", "value1"},
    {"d2", "", "0 to 9 (warning `value-range`)", "value2"},
    {"d3", "", "0 to 9 (warning `value-range`)", "value3"},
    {"time", "", "0 to 255 (warning `value-wrapped`); 1 to 100 count as 101",
     "signal_time when sx is 2, else 0"}};
inline constexpr EntryValue kSlowOrder[] = {
    {"start x", "m", "range check", "start cell round(x / 50 + 1), kind 3", Placement::kPoint},
    {"speed v", "km/h", "-32768 to 32767 (warning `value-wrapped`)",
     "value1 of the start, end and warning cells"},
    {"length l", "m",
     "at least 50 (warning `slow-order-length`); the end cell within the track table (fault 25); "
     "not across stations or another slow order (warning `slow-order-span`)",
     "end cell round((x + l) / 50 + 1), kind 2"},
    {"value 4", "", "-32768 to 32767 (warning `value-wrapped`)",
     "value3 of the start and end cells"},
    {"pre-warning", "", "0 or not 0", "not 0: four pre-warning cells before the warning board"},
    {"second speed", "km/h", "-32768 to 32767 (warning `value-wrapped`)",
     "not 0: value2 of the start, end and warning cells"}};
inline constexpr EntryValue kAbbattimentoPoint[] = {
    {"position x", "m", "range check", "cell round(x / 50), one cell before a signal at x",
     Placement::kStretch},
    {"value w", "", "-32768 to 32767 (warning `value-wrapped`)",
     "w above 0: kind 12 with value1 = w; 0 or below: kind 13, no value"}};
inline constexpr EntryValue kStation[] = {
    {"position P", "m", "a multiple of 50 (fault 8); at most 50 x N - 800 (fault 15)",
     "position_m"},
    {"kind K", "", "0 to 255 (fault 25)", "kind; decides the platform's ends and the cells"},
    {"platform length L", "m", "a multiple of 100 (fault 9)", "start_m and end_m"},
    {"value 4", "", "0 to 255 (fault 25)", "param_a, as read"},
    {"value 5", "", "0 to 255 (fault 25)", "param_b"},
    {"value 6", "", "0 to 255 (fault 25)", "param_c; not 0: the platform ends 50 m later"},
    {"value 7", "", "-32768 to 32767 (fault 25)", "param_d, as read"},
    {"value 8", "", "-32768 to 32767 (fault 25)", "param_e, as read"},
    {"value 9", "", "0 to 255 (fault 25)", "param_f, as read"},
    {"value 10", "", "-32768 to 32767 (fault 25)", "param_g, as read"},
    {"value 11", "", "-32768 to 32767 (fault 25)", "param_h, as read"},
    {"value 12", "", "-32768 to 32767 (fault 25)", "param_i, as read"},
    {"value 13", "", "0 to 255 (fault 25)", "param_j, as read"},
    {"hours", "h", "0 to 23 (warning `time-of-day`)",
     "time_s = (hours x 60 + minutes) x 60 + seconds"},
    {"minutes", "min", "0 to 59 (warning `time-of-day`)", "time_s"},
    {"seconds", "s", "0 to 59 (warning `time-of-day`)", "time_s"},
    {"name", "", "up to 65 535 bytes (fault 25), no comma", "name"}};

}  // namespace entry_values

inline constexpr EntryValues kEntryValues[] = {
    {kw::kRouteLength.spelling, "the route length", entry_values::kRouteLength},
    {kw::kChainageThree.spelling, "a kilometric-chainage reference", entry_values::kChainage},
    {kw::kChainageTwo.spelling, "a kilometric-chainage reference", entry_values::kChainage},
    {kw::kChainageOne.spelling, "a kilometric-chainage reference", entry_values::kChainage},
    {kw::kBackgroundOne.spelling, "the first background number", entry_values::kBackgroundOne},
    {kw::kBackgroundTwo.spelling, "the second background number", entry_values::kBackgroundTwo},
    {kw::kBackgroundThree.spelling, "the third background number", entry_values::kBackgroundThree},
    {kw::kSignalRepetition.spelling,
     "the signal repetition, with its number of codes (4 or 9) in the keyword",
     entry_values::kSignalRepetition},
    {kw::kGradient.spelling, "the gradient from a position on", entry_values::kGradient},
    {kw::kCurve.spelling,
     "a curve: \"d\" right or \"s\" left, and a class digit 1 (gentlest) to 6 (sharpest)",
     entry_values::kCurve},
    {kw::kMountainSide.spelling, "a mountain-side stretch", entry_values::kMountainSide},
    {kw::kSpeedBoard.spelling, "a maximum-speed board, the s side (left) first",
     entry_values::kSpeedBoard},
    {kw::kSignboard.spelling, "a signboard", entry_values::kSignboard},
    {kw::kBrakedMass.spelling, "the braked-mass percentage", entry_values::kBrakedMass},
    {kw::kCars.spelling, "the number of cars", entry_values::kCars},
    {kw::kSpeed.spelling, "the line's speed limit from a position on", entry_values::kSpeed},
    {kw::kAdhesion.spelling, "the adhesion from a position on", entry_values::kAdhesion},
    {kw::kClock.spelling, "the clock at the start", entry_values::kClock},
    {kw::kSand.spelling, "the sand value", entry_values::kSand},
    {kw::kSignal.spelling, "a signal", entry_values::kSignal},
    {kw::kSlowOrder.spelling, "a slow order", entry_values::kSlowOrder},
    {kw::kAbbattimentoPoint.spelling, "an \"abbattimento\" point",
     entry_values::kAbbattimentoPoint},
    {kw::kStation.spelling, "a station", entry_values::kStation},
};

// The row of a keyword, or nullptr.
inline const EntryValues* find_entry_values(const Keyword& k) {
  for (const EntryValues& row : kEntryValues) {
    if (row.spelling == k.spelling) return &row;
  }
  return nullptr;
}

}  // namespace sb
