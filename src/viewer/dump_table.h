// A compiled file turned into a table of named columns, one row per cell, slot or metre, for
// the text and JSON printers. Rows are made on demand: a route of a million metres is never
// held as text in memory, and a printer may walk the rows twice (to align its columns).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "model/route_matrix.h"
#include "model/station_record.h"
#include "model/track_cell.h"
#include "viewer/cell_descriptions.h"

namespace sb {

struct DumpValue {
  enum class Type {
    kNone,         // no value (an empty route matrix element)
    kInteger,      // `integer`
    kSigned,       // `integer`, shown with its sign in the text form ("+12")
    kReal,         // `real`
    kName,         // `text` is data from the file (a name): shown quoted, any byte escaped
    kWord,         // `text` is a plain word or label of this program: shown as it is
    kDescription,  // `description`: words of this program that may quote a name
  };
  Type type = Type::kNone;
  std::int64_t integer = 0;
  double real = 0.0;
  std::string text;
  Description description;

  static DumpValue none() { return {}; }
  static DumpValue of(std::int64_t v) { return {Type::kInteger, v, 0.0, {}, {}}; }
  static DumpValue of_signed(std::int64_t v) { return {Type::kSigned, v, 0.0, {}, {}}; }
  static DumpValue of_real(double v) { return {Type::kReal, 0, v, {}, {}}; }
  static DumpValue name(std::string v) { return {Type::kName, 0, 0.0, std::move(v), {}}; }
  static DumpValue word(std::string_view v) { return {Type::kWord, 0, 0.0, std::string(v), {}}; }
  static DumpValue described(Description d) {
    return {Type::kDescription, 0, 0.0, {}, std::move(d)};
  }
};

struct DumpTable {
  std::string_view type;  // "track", "stations" or "route"
  std::vector<std::string_view> columns;
  std::size_t row_count = 0;
  // Replaces `row` with row i (0 <= i < row_count): one value per column, in column order.
  std::function<void(std::size_t i, std::vector<DumpValue>& row)> fill_row;
};

struct DumpOptions {
  bool all = false;    // every cell or slot, not only those that hold something
  bool units = false;  // the values as the author wrote them beside the stored ones
  // For a track file: the station table of the same scenario, which names the stations and
  // signboards; may be null.
  std::shared_ptr<const std::vector<StationRecord>> stations;
};

// The track table: the cell index, its chainage ((n - 1) x 50 m), every field by name and
// what the cell holds. Without `all`, only the cells with a point object or a value beyond
// the plain layers (kind, value1..value4, signal_time or approach_mark non-zero). With
// `units`, the speed limit in km/h and the signed gradient beside the stored bytes, and what
// the cell holds with its values in the author's units.
DumpTable track_dump(std::shared_ptr<const std::vector<TrackCell>> cells,
                     const DumpOptions& options);

// The station table: the slot, every field by name and what the slot holds. Without `all`,
// only the non-empty slots. With `units`, a station's time as hh:mm:ss beside time_s, and
// what the slot holds with its values in the author's units.
DumpTable station_dump(std::shared_ptr<const std::vector<StationRecord>> records,
                       const DumpOptions& options);

// The route matrix: every `step`-th metre (step >= 1) from 0, with each coordinate and its
// element tag ("int16", "float64" or "empty").
DumpTable route_dump(std::shared_ptr<const RouteMatrix> matrix, int step);

// Printers. The text form is an aligned table with a header line; the JSON form is one object
// {"file": ..., "type": ..., "rows": [{column: value, ...}, ...]} with one row per line.
void print_dump_text(const DumpTable& table, std::ostream& out);
void print_dump_json(const DumpTable& table, std::string_view file, std::ostream& out);

}  // namespace sb
