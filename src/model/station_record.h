// One slot of the station table, with its fields in the order the station file stores them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sb {

struct StationRecord {
  std::uint8_t kind = 0;
  std::int32_t start_m = 0;
  std::int32_t end_m = 0;
  std::int32_t position_m = 0;
  std::uint8_t param_a = 0;
  std::string name;
  std::int16_t param_d = 0;
  std::int16_t param_e = 0;
  std::int16_t param_g = 0;
  std::int16_t param_h = 0;
  std::int16_t param_i = 0;
  std::uint8_t param_f = 0;
  std::uint8_t param_j = 0;
  std::uint8_t param_c = 0;
  std::uint8_t param_b = 0;
  std::int32_t time_s = 0;

  friend bool operator==(const StationRecord&, const StationRecord&) = default;
};

// Slots of the station table with a fixed meaning.
inline constexpr int kStationSlots = 87;
inline constexpr int kFirstSignboardSlot = 80;
inline constexpr int kChainageThreeSlot = 81;
inline constexpr int kChainageTwoSlot = 82;
inline constexpr int kChainageOneSlot = 83;
inline constexpr int kTrainDataSlot = 84;
inline constexpr int kScenarioSlot = 85;
inline constexpr int kLineSlot = 86;

// Station kinds with rules of their own. Kinds 5 and 6 (a terminus: the built-in line ends
// at one) lay the platform before the station's position, ending 150 m past it, and give no
// approach marks; kinds 7 and 8 lay a platform of the given length on each side of it; every
// other kind centres the platform on it. Stations of kind 25 and above mark no track cell.
inline constexpr std::uint8_t kFirstTerminusKind = 5;
inline constexpr std::uint8_t kLastTerminusKind = 6;
inline constexpr std::uint8_t kFirstTwoSidedKind = 7;
inline constexpr std::uint8_t kLastTwoSidedKind = 8;
inline constexpr std::uint8_t kFirstUnmarkedKind = 25;

constexpr bool is_terminus_kind(std::uint8_t kind) {
  return kind >= kFirstTerminusKind && kind <= kLastTerminusKind;
}
constexpr bool is_two_sided_kind(std::uint8_t kind) {
  return kind >= kFirstTwoSidedKind && kind <= kLastTwoSidedKind;
}
// True when a station of this kind has a stop cell (and, unless a terminus, approach marks).
constexpr bool marks_track(std::uint8_t kind) {
  return kind < kFirstUnmarkedKind;
}

// The station file stores the length of a name in 16 bits: no name can be longer.
inline constexpr std::size_t kMaxNameBytes = 0xFFFF;

}  // namespace sb
