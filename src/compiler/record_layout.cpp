#include "compiler/record_layout.h"

#include <stdexcept>
#include <type_traits>

#include "compiler/little_endian.h"

namespace sb {
namespace {

template <typename Record>
constexpr bool kCarriesText = std::is_same_v<Record, StationRecord>;

template <typename Record, typename Layout>
void encode_fields(std::string& out, const Record& r, const Layout& layout) {
  for (const auto& f : layout) {
    if (f.is_text() && f.text_of(r).size() > kMaxText16) {
      throw std::length_error("field " + std::string(f.name) + " holds " +
                              std::to_string(f.text_of(r).size()) +
                              " bytes, more than its 16-bit length allows");
    }
  }
  for (const auto& f : layout) {
    switch (f.encoding) {
      case FieldEncoding::kU8:
        append_u8(out, r.*f.u8);
        break;
      case FieldEncoding::kI16:
        append_le16(out, static_cast<std::uint16_t>(r.*f.i16));
        break;
      case FieldEncoding::kI32:
        append_le32(out, static_cast<std::uint32_t>(r.*f.i32));
        break;
      case FieldEncoding::kText16: {
        const std::string& t = r.*f.text;
        append_le16(out, static_cast<std::uint16_t>(t.size()));
        out += t;
        break;
      }
    }
  }
}

template <typename Record, typename Layout>
Record decode_fields(ByteReader& in, const Layout& layout) {
  Record r;
  for (const auto& f : layout) {
    switch (f.encoding) {
      case FieldEncoding::kU8:
        r.*f.u8 = in.u8(f.name);
        break;
      case FieldEncoding::kI16:
        r.*f.i16 = static_cast<std::int16_t>(in.u16(f.name));
        break;
      case FieldEncoding::kI32:
        r.*f.i32 = static_cast<std::int32_t>(in.u32(f.name));
        break;
      case FieldEncoding::kText16:
        // Only station records carry text; compiling this branch for track cells would only
        // give the optimiser a member pointer it cannot prove unused.
        if constexpr (kCarriesText<Record>) {
          const std::size_t n = in.u16(std::string(f.name) + " length");
          r.*f.text = in.text(n, f.name);
        }
        break;
    }
  }
  return r;
}

}  // namespace

void encode_record(std::string& out, const TrackCell& cell) {
  encode_fields(out, cell, kTrackCellLayout);
}

void encode_record(std::string& out, const StationRecord& record) {
  encode_fields(out, record, kStationRecordLayout);
}

TrackCell decode_track_cell(ByteReader& in) {
  return decode_fields<TrackCell>(in, kTrackCellLayout);
}

StationRecord decode_station_record(ByteReader& in) {
  return decode_fields<StationRecord>(in, kStationRecordLayout);
}

}  // namespace sb
