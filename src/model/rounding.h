// The one conversion of a fraction to an integer used everywhere in the system: to the
// nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// std::lround rounds halves away from zero and must not be used for this.
#pragma once

#include <cstdint>
#include <optional>

namespace sb {

double round_half_even(double q);

// round_half_even(q) when the result fits a signed 32-bit integer, otherwise nothing.
std::optional<std::int32_t> round_to_int32(double q);

}  // namespace sb
