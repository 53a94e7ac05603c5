#include "format/byte_reader.h"

#include "format/little_endian.h"

namespace sb {

const char* ByteReader::take(std::size_t n, std::string_view what) {
  if (left() < n) {
    throw DecodeError(pos_, std::string(what) + ": " + std::to_string(n) + " byte(s) needed, " +
                                std::to_string(left()) + " left");
  }
  const char* p = bytes_.data() + pos_;
  pos_ += n;
  return p;
}

std::uint8_t ByteReader::u8(std::string_view what) {
  return static_cast<std::uint8_t>(*take(1, what));
}
std::uint16_t ByteReader::u16(std::string_view what) {
  return load_le16(take(2, what));
}
std::uint32_t ByteReader::u32(std::string_view what) {
  return load_le32(take(4, what));
}
std::uint64_t ByteReader::u64(std::string_view what) {
  return load_le64(take(8, what));
}

std::string ByteReader::text(std::size_t n, std::string_view what) {
  return std::string(take(n, what), n);
}

}  // namespace sb
