// One 50 m cell of the track table, with its fields in the order the track file stores them.
#pragma once

#include <cstdint>

namespace sb {

// Cell kinds: what point object a cell holds.
enum CellKind : std::uint8_t {
  kPlain = 0,
  kSignal = 1,
  kSlowOrderEnd = 2,
  kSlowOrderStart = 3,
  kWarningBoard = 4,
  kPreWarning = 5,
  kSpeedBoard = 6,
  kStationStop = 10,
  kMountainMarker = 11,
  kAbbattimento = 12,
  kAbbattimentoNoValue = 13,
  kSignboard = 14,
};

struct TrackCell {
  std::uint8_t kind = 0;
  std::int16_t value1 = 0;
  std::int16_t value2 = 0;
  std::int16_t value3 = 0;
  std::int16_t value4 = 0;
  std::uint8_t signal_time = 0;
  std::uint8_t approach_mark = 0;
  std::uint8_t mountain_side = 0;
  std::uint8_t speed_limit = 0;
  std::uint8_t gradient = 0;
  std::uint8_t adhesion = 0;

  // A cell is free for a new point object when it is plain or holds only a mountain-side marker.
  bool is_free() const { return kind == kPlain || kind == kMountainMarker; }

  friend bool operator==(const TrackCell&, const TrackCell&) = default;
};

}  // namespace sb
