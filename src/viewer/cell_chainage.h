// Where a track cell lies along the line. A point object at p metres is kept in cell
// round(p / 50 + 1), so cell n stands for the chainage (n - 1) x 50; the values that run from
// one position to the next (gradient, speed limit, adhesion, mountain side) start in cell
// round(p / 50), so there cell n starts at n x 50.
#pragma once

#include <cstddef>
#include <cstdint>

namespace sb {

inline constexpr std::int64_t kCellLength = 50;

// The chainage of a point object in cell n.
constexpr std::int64_t point_chainage(std::size_t n) {
  return (static_cast<std::int64_t>(n) - 1) * kCellLength;
}

// The chainage where cell n's running values start.
constexpr std::int64_t layer_chainage(std::size_t n) {
  return static_cast<std::int64_t>(n) * kCellLength;
}

}  // namespace sb
