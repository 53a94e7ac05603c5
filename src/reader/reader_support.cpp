#include "reader/reader_support.h"

#include "model/rounding.h"
#include "reader/read_failure.h"

namespace sb {

void no_track_cell(const Scenario& s, std::int64_t n) {
  if (!s.has_track_table()) throw ReadFailure("there is no track table: no route length was read");
  throw ReadFailure("cell " + std::to_string(n) + " lies outside the track table (cells 0 to " +
                    std::to_string(s.cell_count) + ")");
}

std::int32_t round_index(double q) {
  const auto r = round_to_int32(q);
  if (!r) throw ReadFailure("a position lies outside the route");
  return *r;
}

std::int32_t point_cell(std::int32_t p) {
  return round_index(p / 50.0 + 1);
}

std::uint8_t low8(std::int64_t v) {
  return static_cast<std::uint8_t>(v & 0xFF);
}
std::int16_t low16(std::int64_t v) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(v & 0xFFFF));
}

std::uint8_t fit_u8(std::int64_t v, const char* what) {
  if (v < 0 || v > 255) {
    throw ReadFailure(std::string(what) + " " + std::to_string(v) + " does not fit 0 to 255");
  }
  return static_cast<std::uint8_t>(v);
}

std::int16_t fit_i16(std::int64_t v, const char* what) {
  if (v < -32768 || v > 32767) {
    throw ReadFailure(std::string(what) + " " + std::to_string(v) +
                      " does not fit -32768 to 32767");
  }
  return static_cast<std::int16_t>(v);
}

std::int32_t fit_i32(std::int64_t v, const char* what) {
  if (v < INT32_MIN || v > INT32_MAX) {
    throw ReadFailure(std::string(what) + " " + std::to_string(v) + " does not fit 32 bits");
  }
  return static_cast<std::int32_t>(v);
}

std::string fit_name(std::string_view text, const char* what) {
  if (text.size() > kMaxNameBytes) {
    throw ReadFailure(std::string(what) + " of " + std::to_string(text.size()) +
                      " bytes is longer than the " + std::to_string(kMaxNameBytes) +
                      " bytes a name can hold");
  }
  return std::string(text);
}

bool range_ok(Scenario& s, std::int32_t p, int margin) {
  if (!s.has_track_table()) throw ReadFailure("there is no track table: no route length was read");
  if ((static_cast<double>(p) + margin) / 50.0 <= s.cell_count) return true;
  set_error(s, 15, p);
  return false;
}

}  // namespace sb
