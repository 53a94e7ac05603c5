// The station file: the 87 slots of the station table, slot 0 first, each 34 bytes plus the
// bytes of its name, no header.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "format/byte_reader.h"  // DecodeError
#include "model/station_record.h"

namespace sb {

// Throws std::length_error when a name is longer than its 16-bit length field allows.
std::string encode_station_file(const std::array<StationRecord, kStationSlots>& station_table);

// Throws DecodeError when a record is cut short (at the offset of the field cut short), when
// the file ends before the 87th record (at the end of the file) or when bytes follow the 87th
// record (at the first of them).
std::vector<StationRecord> decode_station_file(std::string_view bytes);

}  // namespace sb
