// Fuzz target: the decoders of the compiled files, as `dump` and `plan` use them.
//
// Input layout: the first byte chooses what the rest is (its value modulo 4):
//   0  a track file,        decoded and listed by dump as text and as JSON
//   1  a station file,      the same
//   2  a route matrix file, the same (every metre, or every 7th when bit 2 of the byte is set)
//   3  the three files for plan: a 4-byte little-endian length R, a 4-byte length S, then R
//      bytes of route matrix file, S bytes of station file and the rest as track file
// Bit 3 of the first byte asks dump for every row (--all), bit 4 for the author's units
// (--units).
//
// A file that does not decode is a legitimate outcome (DecodeError), and so is a route matrix
// without a complete point for plan (std::invalid_argument). A crash, a sanitizer report, a
// hang, or a file that decodes but does not encode back to exactly its bytes is a finding.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "format/route_matrix_file.h"
#include "format/station_file.h"
#include "format/track_file.h"
#include "viewer/dump_table.h"
#include "viewer/plan_scene.h"
#include "viewer/plan_svg.h"

namespace {

// Lists the table both ways, as dump prints it; the text is thrown away.
void list(const sb::DumpTable& table) {
  std::ostringstream text;
  sb::print_dump_text(table, text);
  std::ostringstream json;
  sb::print_dump_json(table, "fuzz", json);
}

// A file that decodes must be exactly what its table encodes to.
void expect_round_trip(std::string_view bytes, const std::string& encoded) {
  if (encoded != bytes) std::abort();
}

std::uint32_t le32(std::string_view bytes) {
  std::uint32_t v = 0;
  for (int k = 3; k >= 0; --k) v = v << 8 | static_cast<unsigned char>(bytes[k]);
  return v;
}

void track(std::string_view bytes, const sb::DumpOptions& options) {
  auto cells = std::make_shared<const std::vector<sb::TrackCell>>(sb::decode_track_file(bytes));
  expect_round_trip(bytes, sb::encode_track_file(*cells));
  list(sb::track_dump(cells, options));
}

void stations(std::string_view bytes, const sb::DumpOptions& options) {
  const std::vector<sb::StationRecord> decoded = sb::decode_station_file(bytes);
  std::array<sb::StationRecord, sb::kStationSlots> table;
  if (decoded.size() != table.size()) std::abort();
  std::copy(decoded.begin(), decoded.end(), table.begin());
  expect_round_trip(bytes, sb::encode_station_file(table));
  list(sb::station_dump(std::make_shared<const std::vector<sb::StationRecord>>(decoded), options));
}

void route(std::string_view bytes, int step) {
  auto matrix = std::make_shared<const sb::RouteMatrix>(sb::decode_route_matrix_file(bytes));
  expect_round_trip(bytes, sb::encode_route_matrix_file(*matrix));
  list(sb::route_dump(matrix, step));
}

void plan(std::string_view bytes) {
  if (bytes.size() < 8) return;
  const std::size_t r = le32(bytes.substr(0, 4));
  const std::size_t s = le32(bytes.substr(4, 4));
  bytes.remove_prefix(8);
  if (r > bytes.size() || s > bytes.size() - r) return;
  const sb::RouteMatrix matrix = sb::decode_route_matrix_file(bytes.substr(0, r));
  const auto slots = sb::decode_station_file(bytes.substr(r, s));
  const auto cells = sb::decode_track_file(bytes.substr(r + s));
  try {
    const std::string svg = sb::plan_svg(sb::build_plan_scene(matrix, slots, cells));
    if (svg.empty()) std::abort();
  } catch (const std::invalid_argument&) {
    // No point of the route has both coordinates: plan says so and draws nothing.
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  sb::DumpOptions options;
  options.all = (mode & 8) != 0;
  options.units = (mode & 16) != 0;
  try {
    switch (mode % 4) {
      case 0:
        track(bytes, options);
        break;
      case 1:
        stations(bytes, options);
        break;
      case 2:
        route(bytes, (mode & 4) != 0 ? 7 : 1);
        break;
      default:
        plan(bytes);
        break;
    }
  } catch (const sb::DecodeError&) {
    // Not a compiled file of that kind: dump and plan report it as malformed.
  }
  return 0;
}
