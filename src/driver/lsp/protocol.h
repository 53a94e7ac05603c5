// The protocol's small shapes as JSON: positions, ranges, and the error codes of JSON-RPC and
// of the language server protocol.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "driver/lsp/json.h"
#include "driver/lsp/text_positions.h"

namespace sb::rpc {

inline constexpr int kParseError = -32700;
inline constexpr int kInvalidRequest = -32600;
inline constexpr int kMethodNotFound = -32601;
inline constexpr int kInvalidParams = -32602;
inline constexpr int kInternalError = -32603;
inline constexpr int kServerNotInitialized = -32002;

// A number of a message as a whole number: the fraction dropped, and held to +-2^53 (a
// number no document reaches), so that any number a message holds converts.
inline std::int64_t whole(const Json& n) {
  if (!n.is_number() || std::isnan(n.number)) return 0;
  return static_cast<std::int64_t>(std::clamp(n.number, -9007199254740992.0, 9007199254740992.0));
}

inline Json position_json(TextPosition p) {
  return Json::object()
      .set("line", Json::of(static_cast<double>(p.line)))
      .set("character", Json::of(static_cast<double>(p.character)));
}

inline Json range_json(TextPosition start, TextPosition end) {
  return Json::object().set("start", position_json(start)).set("end", position_json(end));
}

// A position from its JSON; throws std::runtime_error when it is not one.
inline TextPosition position_from(const Json& p) {
  const Json& line = p["line"];
  const Json& character = p["character"];
  if (!line.is_number() || !character.is_number()) throw std::runtime_error("not a position");
  return {whole(line), whole(character)};
}

}  // namespace sb::rpc
