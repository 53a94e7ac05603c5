// The route matrix file: every element of the route matrix as a 2-byte tag and its data
// (none, a 16-bit integer or a double), the component-0 values of metres 0 .. upper first,
// then the component-1 values; no header, no count.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "format/byte_reader.h"  // DecodeError
#include "format/little_endian.h"
#include "model/route_matrix.h"
#include "platform/temporary_file.h"

namespace sb {

// Bytes an element takes in the file, tag included.
std::size_t encoded_size(ElementTag tag);

// The file is written in blocks of this size, so that its tens of megabytes never have to be
// held in memory at once.
inline constexpr std::size_t kRouteBlockBytes = std::size_t{1} << 18;
// The most bytes one element takes.
inline constexpr std::size_t kLargestElement = 10;

// Encodes one element at `p` (tag and data, 2, 4 or 10 bytes) and returns the byte after it.
// Throws std::logic_error for a tag the file cannot hold.
inline char* put_element(char* p, ElementTag tag, double value) {
  store_le16(p, static_cast<std::uint16_t>(tag));
  switch (tag) {
    case ElementTag::kEmpty:
      return p + 2;
    case ElementTag::kInt16:
      store_le16(p + 2, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
      return p + 4;
    case ElementTag::kFloat64:
      store_le64(p + 2, double_bits(value));
      return p + 10;
  }
  encoded_size(tag);  // throws
  return p;
}

// The length of the file that holds `matrix` (0 for a streamed one, whose elements are not in
// memory).
std::size_t encoded_route_matrix_bytes(const RouteMatrix& matrix);

std::string encode_route_matrix_file(const RouteMatrix& matrix);

// Writes the encoded matrix into `file`, block by block without building the whole content
// first. Throws PlatformError when the file cannot be written.
void write_route_matrix_file(TemporaryFile& file, const RouteMatrix& matrix);

// Throws DecodeError for an element cut short or with an unknown tag (at the offset of the tag
// or data that cannot be read), and for an odd number of elements, which cannot be split into
// two equal halves (at the end of the file). An empty file gives a matrix that does not exist.
RouteMatrix decode_route_matrix_file(std::string_view bytes);

// The same decoding from the file's bytes handed over in pieces of any size, so that the file
// never has to be held whole beside its matrix. The bytes are handed over twice: the first
// pass checks and counts the elements, the second puts them into the matrix.
class RouteMatrixDecoder {
 public:
  // Takes the next piece of the current pass. Throws DecodeError.
  void take(std::string_view piece);
  // Ends a pass: after the first, the matrix is made for the elements counted; after the
  // second, it is complete. Throws DecodeError.
  void end_pass();
  // Bytes taken in the current pass so far.
  std::size_t taken() const { return offset_ + carry_.size(); }
  RouteMatrix&& result() { return std::move(matrix_); }

 private:
  void element(ByteReader& in);
  void reserve_values();

  // The integers and floats counted by the first pass so far, and their counts before every
  // kMarkStride-th element: enough to tell, once the halves are known, about how many values
  // each component needs.
  struct Counts {
    std::size_t ints = 0;
    std::size_t floats = 0;
  };
  static constexpr std::size_t kMarkStride = 4096;
  Counts counted_;
  std::vector<Counts> marks_;

  bool filling_ = false;
  std::size_t count_ = 0;   // the elements of the first pass
  std::size_t seen_ = 0;    // the elements of the current pass so far
  std::size_t offset_ = 0;  // where carry_ begins in the file
  std::string carry_;       // the start of an element cut by the end of a piece
  RouteMatrix matrix_;
};

}  // namespace sb
