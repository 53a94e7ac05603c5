// The byte layout of the two record types of the binary output files, each written once as a
// table of its fields in file order: the field's name in the model, its encoding and the
// member it comes from. The track file and station file encoders and decoders, and anything
// that shows the files field by field, work from these tables alone.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "format/byte_reader.h"
#include "model/station_record.h"
#include "model/track_cell.h"

namespace sb {

enum class FieldEncoding {
  kU8,      // unsigned 8-bit
  kI16,     // signed 16-bit, little-endian
  kI32,     // signed 32-bit, little-endian
  kText16,  // 16-bit little-endian byte count, then the bytes, no terminator
};

// One field of a record: exactly one of the member pointers is set, the one that matches
// `encoding` (the helpers below guarantee it).
template <typename Record>
struct FieldLayout {
  std::string_view name;
  FieldEncoding encoding;
  std::uint8_t Record::*u8 = nullptr;
  std::int16_t Record::*i16 = nullptr;
  std::int32_t Record::*i32 = nullptr;
  std::string Record::*text = nullptr;

  constexpr bool is_text() const { return encoding == FieldEncoding::kText16; }
  // The value of a numeric field.
  std::int64_t number(const Record& r) const {
    switch (encoding) {
      case FieldEncoding::kU8:
        return r.*u8;
      case FieldEncoding::kI16:
        return r.*i16;
      case FieldEncoding::kI32:
        return r.*i32;
      case FieldEncoding::kText16:
        break;
    }
    return 0;
  }
  // The value of a text field.
  const std::string& text_of(const Record& r) const { return r.*text; }
};

template <typename R>
constexpr FieldLayout<R> u8_field(std::string_view name, std::uint8_t R::*m) {
  return {name, FieldEncoding::kU8, m, nullptr, nullptr, nullptr};
}
template <typename R>
constexpr FieldLayout<R> i16_field(std::string_view name, std::int16_t R::*m) {
  return {name, FieldEncoding::kI16, nullptr, m, nullptr, nullptr};
}
template <typename R>
constexpr FieldLayout<R> i32_field(std::string_view name, std::int32_t R::*m) {
  return {name, FieldEncoding::kI32, nullptr, nullptr, m, nullptr};
}
template <typename R>
constexpr FieldLayout<R> text16_field(std::string_view name, std::string R::*m) {
  return {name, FieldEncoding::kText16, nullptr, nullptr, nullptr, m};
}

// A track cell: 15 bytes.
inline constexpr std::array kTrackCellLayout = {
    u8_field("kind", &TrackCell::kind),
    i16_field("value1", &TrackCell::value1),
    i16_field("value2", &TrackCell::value2),
    i16_field("value3", &TrackCell::value3),
    i16_field("value4", &TrackCell::value4),
    u8_field("signal_time", &TrackCell::signal_time),
    u8_field("approach_mark", &TrackCell::approach_mark),
    u8_field("mountain_side", &TrackCell::mountain_side),
    u8_field("speed_limit", &TrackCell::speed_limit),
    u8_field("gradient", &TrackCell::gradient),
    u8_field("adhesion", &TrackCell::adhesion),
};

// A station slot: 34 bytes plus the bytes of its name.
inline constexpr std::array kStationRecordLayout = {
    u8_field("kind", &StationRecord::kind),
    i32_field("start_m", &StationRecord::start_m),
    i32_field("end_m", &StationRecord::end_m),
    i32_field("position_m", &StationRecord::position_m),
    u8_field("param_a", &StationRecord::param_a),
    text16_field("name", &StationRecord::name),
    i16_field("param_d", &StationRecord::param_d),
    i16_field("param_e", &StationRecord::param_e),
    i16_field("param_g", &StationRecord::param_g),
    i16_field("param_h", &StationRecord::param_h),
    i16_field("param_i", &StationRecord::param_i),
    u8_field("param_f", &StationRecord::param_f),
    u8_field("param_j", &StationRecord::param_j),
    u8_field("param_c", &StationRecord::param_c),
    u8_field("param_b", &StationRecord::param_b),
    i32_field("time_s", &StationRecord::time_s),
};

// Bytes a field takes in the file, not counting the bytes of a text (only its count field).
constexpr std::size_t fixed_size(FieldEncoding e) {
  switch (e) {
    case FieldEncoding::kU8:
      return 1;
    case FieldEncoding::kI16:
      return 2;
    case FieldEncoding::kI32:
      return 4;
    case FieldEncoding::kText16:
      return 2;
  }
  return 0;
}

template <typename Layout>
constexpr std::size_t fixed_record_size(const Layout& layout) {
  std::size_t n = 0;
  for (const auto& f : layout) n += fixed_size(f.encoding);
  return n;
}

inline constexpr std::size_t kTrackCellSize = fixed_record_size(kTrackCellLayout);
inline constexpr std::size_t kStationRecordFixedSize = fixed_record_size(kStationRecordLayout);
static_assert(kTrackCellSize == 15);
static_assert(kStationRecordFixedSize == 34);

// The longest text a 16-bit count can describe.
inline constexpr std::size_t kMaxText16 = 0xFFFF;

// Appends one record, field by field in layout order. Throws std::length_error for a text
// longer than kMaxText16 bytes (nothing is appended then).
void encode_record(std::string& out, const TrackCell& cell);
void encode_record(std::string& out, const StationRecord& record);

// Stores a track cell's kTrackCellSize bytes at p and returns p + kTrackCellSize, for a
// buffer sized beforehand.
char* store_track_cell(char* p, const TrackCell& cell);

// Reads one record at the reader's position. Throws DecodeError, at the offset of the field
// that is cut short, when the bytes run out.
TrackCell decode_track_cell(ByteReader& in);
StationRecord decode_station_record(ByteReader& in);

}  // namespace sb
