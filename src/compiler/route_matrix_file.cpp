#include "compiler/route_matrix_file.h"

#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

#include "compiler/byte_reader.h"
#include "platform/temporary_file.h"

namespace sb {

std::size_t encoded_size(ElementTag tag) {
  switch (tag) {
    case ElementTag::kEmpty:
      return 2;
    case ElementTag::kInt16:
      return 4;
    case ElementTag::kFloat64:
      return 10;
  }
  throw std::logic_error("route matrix element with an unknown tag " +
                         std::to_string(static_cast<unsigned>(tag)));
}

namespace {

// Encodes every element in file order into a block buffer and hands each full block, and the
// last part one, to `sink`.
template <typename Sink>
void encode_in_blocks(const RouteMatrix& matrix, Sink&& sink) {
  const std::unique_ptr<char[]> buffer(new char[kRouteBlockBytes]);
  char* const begin = buffer.get();
  char* const room_end = begin + kRouteBlockBytes - kLargestElement;
  char* p = begin;
  for (int c = 0; c < 2; ++c) {
    const std::vector<ElementTag>& tags = matrix.tags(c);
    const std::vector<double>& values = matrix.values(c);
    for (std::size_t m = 0; m < tags.size(); ++m) {
      if (p > room_end) {
        sink(std::string_view(begin, static_cast<std::size_t>(p - begin)));
        p = begin;
      }
      p = put_element(p, tags[m], values[m]);
    }
  }
  if (p != begin) sink(std::string_view(begin, static_cast<std::size_t>(p - begin)));
}

}  // namespace

std::string encode_route_matrix_file(const RouteMatrix& matrix) {
  std::size_t size = 0;
  for (int c = 0; c < 2; ++c) {
    for (ElementTag tag : matrix.tags(c)) size += encoded_size(tag);
  }
  std::string out;
  out.reserve(size);
  encode_in_blocks(matrix, [&out](std::string_view block) { out.append(block); });
  return out;
}

void write_route_matrix_file(TemporaryFile& file, const RouteMatrix& matrix) {
  encode_in_blocks(matrix, [&file](std::string_view block) { file.write(block); });
}

namespace {

// Reads the element at `in`'s position (its tag and data); throws DecodeError for an element
// cut short or with an unknown tag.
RouteElement read_element(ByteReader& in) {
  const std::size_t at = in.offset();
  const std::uint16_t tag = in.u16("element tag");
  switch (static_cast<ElementTag>(tag)) {
    case ElementTag::kEmpty:
      return {ElementTag::kEmpty, 0.0};
    case ElementTag::kInt16:
      return {ElementTag::kInt16,
              static_cast<double>(static_cast<std::int16_t>(in.u16("16-bit integer")))};
    case ElementTag::kFloat64:
      return {ElementTag::kFloat64, double_from_bits(in.u64("double"))};
  }
  throw DecodeError(at, "unknown element tag " + std::to_string(tag));
}

}  // namespace

RouteMatrix decode_route_matrix_file(std::string_view bytes) {
  // Two passes over the bytes: the first checks every element and counts them, the second puts
  // them into the matrix. Nothing but the matrix itself is held, whatever the file holds.
  std::size_t count = 0;
  ByteReader check(bytes);
  while (!check.at_end()) {
    read_element(check);
    ++count;
  }
  RouteMatrix matrix;
  if (count == 0) return matrix;
  if (count % 2 != 0) {
    throw DecodeError(check.offset(),
                      std::to_string(count) + " elements cannot make two equal components");
  }
  const std::size_t half = count / 2;
  if (half - 1 > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw DecodeError(0, "too many elements for a route matrix");
  }
  matrix.allocate(static_cast<std::int32_t>(half - 1));
  ByteReader in(bytes);
  for (std::size_t k = 0; k < count; ++k) {
    const RouteElement e = read_element(in);
    const int component = k < half ? 0 : 1;
    const auto metre = static_cast<std::int32_t>(k < half ? k : k - half);
    if (e.tag == ElementTag::kInt16) {
      matrix.set_int16(metre, component, static_cast<std::int16_t>(e.value));
    } else if (e.tag == ElementTag::kFloat64) {
      matrix.set_float64(metre, component, e.value);
    }
  }
  return matrix;
}

}  // namespace sb
