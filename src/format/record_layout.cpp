#include "format/record_layout.h"

#include <cstring>
#include <stdexcept>
#include <utility>

#include "format/little_endian.h"

namespace sb {
namespace {

// Whether a layout has a text field; a layout without one never instantiates text handling.
template <const auto& kLayout>
constexpr bool has_text() {
  for (const auto& f : kLayout) {
    if (f.is_text()) return true;
  }
  return false;
}

// Bytes the record takes in the file.
template <const auto& kLayout, typename Record>
std::size_t encoded_size(const Record& r) {
  std::size_t n = fixed_record_size(kLayout);
  if constexpr (has_text<kLayout>()) {
    for (const auto& f : kLayout) {
      if (f.is_text()) n += f.text_of(r).size();
    }
  }
  return n;
}

// Throws std::length_error for a text that its 16-bit count cannot describe.
template <const auto& kLayout, typename Record>
void check_text_lengths(const Record& r) {
  if constexpr (has_text<kLayout>()) {
    for (const auto& f : kLayout) {
      if (f.is_text() && f.text_of(r).size() > kMaxText16) {
        throw std::length_error("field " + std::string(f.name) + " holds " +
                                std::to_string(f.text_of(r).size()) +
                                " bytes, more than its 16-bit length allows");
      }
    }
  }
}

// Stores field I of the layout at p and returns the end of it. The field is a compile-time
// entry of the table, so each field becomes one plain store at a fixed member.
template <const auto& kLayout, std::size_t I, typename Record>
char* store_field(char* p, const Record& r) {
  constexpr const auto& f = kLayout[I];
  if constexpr (f.encoding == FieldEncoding::kU8) {
    *p = static_cast<char>(r.*f.u8);
    return p + 1;
  } else if constexpr (f.encoding == FieldEncoding::kI16) {
    store_le16(p, static_cast<std::uint16_t>(r.*f.i16));
    return p + 2;
  } else if constexpr (f.encoding == FieldEncoding::kI32) {
    store_le32(p, static_cast<std::uint32_t>(r.*f.i32));
    return p + 4;
  } else {
    const std::string& t = r.*f.text;
    store_le16(p, static_cast<std::uint16_t>(t.size()));
    if (!t.empty()) std::memcpy(p + 2, t.data(), t.size());
    return p + 2 + t.size();
  }
}

// Stores the record's fields in layout order from p on and returns the end.
template <const auto& kLayout, typename Record>
char* store_fields(char* p, const Record& r) {
  return [&]<std::size_t... I>(std::index_sequence<I...>) {
    ((p = store_field<kLayout, I>(p, r)), ...);
    return p;
  }
  (std::make_index_sequence<kLayout.size()>{});
}

template <const auto& kLayout, typename Record>
void encode_fields(std::string& out, const Record& r) {
  check_text_lengths<kLayout>(r);
  const std::size_t at = out.size();
  out.resize(at + encoded_size<kLayout>(r));
  store_fields<kLayout>(out.data() + at, r);
}

template <const auto& kLayout, typename Record>
Record decode_fields(ByteReader& in) {
  Record r;
  for (const auto& f : kLayout) {
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
        if constexpr (has_text<kLayout>()) {
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
  encode_fields<kTrackCellLayout>(out, cell);
}

void encode_record(std::string& out, const StationRecord& record) {
  encode_fields<kStationRecordLayout>(out, record);
}

char* store_track_cell(char* p, const TrackCell& cell) {
  return store_fields<kTrackCellLayout>(p, cell);
}

TrackCell decode_track_cell(ByteReader& in) {
  return decode_fields<kTrackCellLayout, TrackCell>(in);
}

StationRecord decode_station_record(ByteReader& in) {
  return decode_fields<kStationRecordLayout, StationRecord>(in);
}

}  // namespace sb
