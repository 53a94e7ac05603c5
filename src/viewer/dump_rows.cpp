// Turning the decoded tables into dump rows. The fields come from the record layout tables,
// so a listing always shows the fields the files really hold, in file order.
#include <utility>

#include "format/record_layout.h"
#include "model/cell_geometry.h"
#include "viewer/author_values.h"
#include "viewer/dump_table.h"
#include "viewer/station_slots.h"

namespace sb {
namespace {

// The cell holds something beyond the byte layers that every cell carries.
bool holds_object(const TrackCell& c) {
  return c.kind != 0 || c.value1 != 0 || c.value2 != 0 || c.value3 != 0 || c.value4 != 0 ||
         c.signal_time != 0 || c.approach_mark != 0;
}

template <typename Layout>
void add_layout_columns(std::vector<std::string_view>& columns, const Layout& layout) {
  for (const auto& f : layout) columns.push_back(f.name);
}

template <typename Record, typename Layout>
void add_layout_values(std::vector<DumpValue>& row, const Record& r, const Layout& layout) {
  for (const auto& f : layout) {
    row.push_back(f.is_text() ? DumpValue::name(f.text_of(r)) : DumpValue::of(f.number(r)));
  }
}

std::string_view tag_word(ElementTag tag) {
  switch (tag) {
    case ElementTag::kEmpty:
      return "empty";
    case ElementTag::kInt16:
      return "int16";
    case ElementTag::kFloat64:
      return "float64";
  }
  return "unknown";
}

DumpValue element_value(const RouteElement& e) {
  switch (e.tag) {
    case ElementTag::kInt16:
      return DumpValue::of(static_cast<std::int64_t>(e.value));
    case ElementTag::kFloat64:
      return DumpValue::of_real(e.value);
    case ElementTag::kEmpty:
      break;
  }
  return DumpValue::none();
}

}  // namespace

DumpTable track_dump(std::shared_ptr<const std::vector<TrackCell>> cells,
                     const DumpOptions& options) {
  auto shown = std::make_shared<std::vector<std::size_t>>();
  for (std::size_t n = 0; n < cells->size(); ++n) {
    if (options.all || holds_object((*cells)[n])) shown->push_back(n);
  }
  const bool units = options.units;
  DumpTable t;
  t.type = "track";
  t.columns = {"cell", "chainage_m"};
  for (const auto& f : kTrackCellLayout) {
    t.columns.push_back(f.name);
    if (units && f.name == "speed_limit") t.columns.push_back("speed_kmh");
    if (units && f.name == "gradient") t.columns.push_back("gradient_permille");
  }
  t.columns.push_back("holds");
  t.row_count = shown->size();
  t.fill_row = [cells = std::move(cells), shown, units, stations = options.stations](
                   std::size_t i, std::vector<DumpValue>& row) {
    const std::size_t n = (*shown)[i];
    const TrackCell& cell = (*cells)[n];
    row.clear();
    row.push_back(DumpValue::of(static_cast<std::int64_t>(n)));
    row.push_back(DumpValue::of(point_chainage(n)));
    for (const auto& f : kTrackCellLayout) {
      row.push_back(DumpValue::of(f.number(cell)));
      if (units && f.name == "speed_limit")
        row.push_back(DumpValue::of(speed_kmh(cell.speed_limit)));
      if (units && f.name == "gradient") {
        row.push_back(DumpValue::of_signed(gradient_per_mille(cell.gradient)));
      }
    }
    Description holds = describe_cell(*cells, n, stations.get());
    row.push_back(units ? DumpValue::described(std::move(holds)) : DumpValue::word(holds.what));
  };
  return t;
}

DumpTable station_dump(std::shared_ptr<const std::vector<StationRecord>> records,
                       const DumpOptions& options) {
  auto shown = std::make_shared<std::vector<int>>();
  for (std::size_t k = 0; k < records->size(); ++k) {
    if (options.all || !is_empty_slot((*records)[k])) shown->push_back(static_cast<int>(k));
  }
  const bool units = options.units;
  DumpTable t;
  t.type = "stations";
  t.columns = {"slot"};
  add_layout_columns(t.columns, kStationRecordLayout);
  if (units) t.columns.push_back("time");
  t.columns.push_back("holds");
  t.row_count = shown->size();
  t.fill_row = [records = std::move(records), shown, units](std::size_t i,
                                                            std::vector<DumpValue>& row) {
    const int slot = (*shown)[i];
    const StationRecord& r = (*records)[static_cast<std::size_t>(slot)];
    row.clear();
    row.push_back(DumpValue::of(slot));
    add_layout_values(row, r, kStationRecordLayout);
    if (!units) {
      row.push_back(DumpValue::word(station_slot_label(slot, r)));
      return;
    }
    row.push_back(is_station_slot(slot, r) ? DumpValue::word(clock_text(r.time_s))
                                           : DumpValue::none());
    row.push_back(DumpValue::described(describe_slot(slot, r)));
  };
  return t;
}

DumpTable route_dump(std::shared_ptr<const RouteMatrix> matrix, int step) {
  const std::size_t stride = step < 1 ? 1 : static_cast<std::size_t>(step);
  const std::size_t metres = matrix->exists() ? static_cast<std::size_t>(matrix->upper()) + 1 : 0;
  DumpTable t;
  t.type = "route";
  t.columns = {"metre", "x", "x_tag", "y", "y_tag"};
  t.row_count = metres == 0 ? 0 : (metres - 1) / stride + 1;
  t.fill_row = [matrix = std::move(matrix), stride](std::size_t i, std::vector<DumpValue>& row) {
    const auto metre = static_cast<std::int32_t>(i * stride);
    row.clear();
    row.push_back(DumpValue::of(metre));
    for (int c = 0; c < 2; ++c) {
      const RouteElement e = matrix->get(metre, c);
      row.push_back(element_value(e));
      row.push_back(DumpValue::word(tag_word(e.tag)));
    }
  };
  return t;
}

}  // namespace sb
