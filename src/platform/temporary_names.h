// The names that temporary files take beside their target, on every system: "TARGET.tmpPID",
// with ".1", ".2", ... added while that name is taken.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sb {

inline constexpr int kTemporaryNameAttempts = 100;

// The name of attempt `attempt` (0, 1, ...) for process `pid`.
std::string temporary_name(const std::string& target, long pid, int attempt);

// The process number in a temporary name of `leaf` ("LEAF.tmpPID" or "LEAF.tmpPID.N"), or
// nothing when `entry` is not one.
std::optional<long> temporary_owner(std::string_view entry, std::string_view leaf);

}  // namespace sb
