// What a track cell or a station slot holds, told in the author's terms: which object, the
// station or signboard it names, and its values as the scenario text files give them. The
// listings of `dump --units` and the hover texts of the plan both use these descriptions.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/station_record.h"
#include "model/track_cell.h"

namespace sb {

struct Description {
  std::string what;                 // "signal", "station stop", "slow-order start", ...
  std::optional<std::string> name;  // a name from the files (raw bytes), shown quoted
  std::string details;              // the values in the author's units; may be empty
};

// How a description reads: what the object is, the name it quotes (`quote` turns the name's
// bytes into a quoted string), `where` it is (may be empty), then its values after a colon.
template <typename Quote>
std::string description_text(const Description& d, Quote quote, const std::string& where = "") {
  std::string text = d.what;
  if (d.name) text += " " + quote(*d.name);
  text += where;
  if (!d.details.empty()) text += ": " + d.details;
  return text;
}

// Cell n of `cells` (n < cells.size()). `stations` may be null; with it, station stops and
// signboards are named.
Description describe_cell(const std::vector<TrackCell>& cells, std::size_t n,
                          const std::vector<StationRecord>* stations);

// Slot `slot` of a station table.
Description describe_slot(int slot, const StationRecord& record);

// The chainage of the slow order's end cell (kind 2) that follows the start cell n, or of the
// start cell itself when no end cell follows before the next start.
std::int64_t slow_order_end(const std::vector<TrackCell>& cells, std::size_t n);

// Stations of a kind below 25 get a stop cell in the track.
bool has_stop_cell(const StationRecord& station);

}  // namespace sb
