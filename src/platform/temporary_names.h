// The names that temporary files take beside their target, on every system: "TARGET.tmpPID",
// with ".1", ".2", ... added while that name is taken. A name never grows longer than the
// longest file name the file systems allow: the target's name is cut short to make room.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sb {

inline constexpr int kTemporaryNameAttempts = 100;

// The longest file name, in bytes, that a temporary name may take: the limit of the common
// file systems (255 bytes on Linux; 255 UTF-16 units on Windows, which never hold more
// characters than 255 bytes of UTF-8 do).
inline constexpr std::size_t kLongestFileName = 255;

// The name of attempt `attempt` (0, 1, ...) for process `pid`, in the target's folder. When
// "LEAF.tmpPID[.N]" would be longer than kLongestFileName, LEAF is cut short (never inside a
// UTF-8 character) so that the whole name fits.
std::string temporary_name(const std::string& target, long pid, int attempt);

// The process number in a temporary name of `leaf` (one that temporary_name gives for some
// process and attempt), or nothing when `entry` is not one.
std::optional<long> temporary_owner(std::string_view entry, std::string_view leaf);

}  // namespace sb
