// Sequential reading of a binary output file, for the decoders that turn the files back into
// tables. Every read checks that the bytes are there; a short read throws DecodeError with
// the offset of the value that could not be read whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace sb {

class DecodeError : public std::runtime_error {
 public:
  DecodeError(std::size_t offset, const std::string& what)
      : std::runtime_error("at byte " + std::to_string(offset) + ": " + what),
        offset_(offset),
        detail_(what) {}
  // Offset from the start of the file of the first byte that could not be decoded.
  std::size_t offset() const { return offset_; }
  // What went wrong, without the offset.
  const std::string& detail() const { return detail_; }

 private:
  std::size_t offset_;
  std::string detail_;
};

class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  std::size_t offset() const { return pos_; }
  bool at_end() const { return pos_ == bytes_.size(); }
  std::size_t left() const { return bytes_.size() - pos_; }

  // `what` names the value in the error message.
  std::uint8_t u8(std::string_view what);
  std::uint16_t u16(std::string_view what);
  std::uint32_t u32(std::string_view what);
  std::uint64_t u64(std::string_view what);
  std::string text(std::size_t n, std::string_view what);

 private:
  // Returns the next n bytes and moves past them, or throws at the current offset.
  const char* take(std::size_t n, std::string_view what);

  std::string_view bytes_;
  std::size_t pos_ = 0;
};

}  // namespace sb
