// The warnings of `decompile`, each with a name that `explain` knows: every place where the
// recovered text files cannot give the compiled files back is one of these.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace sb {

struct DecompileWarning {
  std::string_view name;
  std::string_view summary;  // one line, for the list of `explain`
  std::string_view cause;    // why it is given
  std::string_view example;  // the commands that give it, one a line
  std::string_view fix;      // what the author does about it
};

inline constexpr std::string_view kNoRouteMatrix = "no-route-matrix";
inline constexpr std::string_view kUnexplainedRoutePoints = "unexplained-route-points";
inline constexpr std::string_view kRecoveredErrorStop = "recovered-error-stop";
inline constexpr std::string_view kRecoveredFault = "recovered-fault";
inline constexpr std::string_view kRoundTripDifference = "round-trip-difference";

// In the order `explain` lists them.
std::span<const DecompileWarning> decompile_warnings();

// The warning of that name; nullptr when there is none.
const DecompileWarning* find_decompile_warning(std::string_view name);

// `text` as the command prints it: followed by the warning's name in brackets, as a reader
// warning is.
std::string named_warning(std::string text, std::string_view name);

}  // namespace sb
