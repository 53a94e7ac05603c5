#include "format/station_file.h"

#include "format/record_layout.h"

namespace sb {

std::string encode_station_file(const std::array<StationRecord, kStationSlots>& station_table) {
  std::size_t size = 0;
  for (const StationRecord& r : station_table) size += kStationRecordFixedSize + r.name.size();
  std::string out;
  out.reserve(size);
  for (const StationRecord& r : station_table) encode_record(out, r);
  return out;
}

std::vector<StationRecord> decode_station_file(std::string_view bytes) {
  ByteReader in(bytes);
  std::vector<StationRecord> records;
  records.reserve(kStationSlots);
  while (records.size() < kStationSlots) {
    if (in.at_end()) {
      throw DecodeError(in.offset(), "the file ends after " + std::to_string(records.size()) +
                                         " of " + std::to_string(kStationSlots) + " records");
    }
    try {
      records.push_back(decode_station_record(in));
    } catch (const DecodeError& e) {
      throw DecodeError(e.offset(),
                        "station slot " + std::to_string(records.size()) + ", " + e.detail());
    }
  }
  if (!in.at_end()) {
    throw DecodeError(in.offset(), std::to_string(in.left()) + " byte(s) after the last record");
  }
  return records;
}

}  // namespace sb
