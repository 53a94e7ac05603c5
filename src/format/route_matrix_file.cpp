#include "format/route_matrix_file.h"

#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

#include "format/byte_reader.h"
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

RouteMatrix decode_route_matrix_file(std::string_view bytes) {
  ByteReader in(bytes);
  std::vector<ElementTag> tags;
  std::vector<double> values;
  // Every element takes at least 2 bytes.
  tags.reserve(bytes.size() / 2);
  values.reserve(bytes.size() / 2);
  while (!in.at_end()) {
    const std::size_t at = in.offset();
    const std::uint16_t tag = in.u16("element tag");
    switch (static_cast<ElementTag>(tag)) {
      case ElementTag::kEmpty:
        values.push_back(0.0);
        break;
      case ElementTag::kInt16:
        values.push_back(static_cast<std::int16_t>(in.u16("16-bit integer")));
        break;
      case ElementTag::kFloat64:
        values.push_back(double_from_bits(in.u64("double")));
        break;
      default:
        throw DecodeError(at, "unknown element tag " + std::to_string(tag));
    }
    tags.push_back(static_cast<ElementTag>(tag));
  }
  RouteMatrix matrix;
  if (tags.empty()) return matrix;
  if (tags.size() % 2 != 0) {
    throw DecodeError(in.offset(),
                      std::to_string(tags.size()) + " elements cannot make two equal components");
  }
  const std::size_t half = tags.size() / 2;
  if (half - 1 > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw DecodeError(0, "too many elements for a route matrix");
  }
  matrix.allocate(static_cast<std::int32_t>(half - 1));
  for (std::size_t k = 0; k < tags.size(); ++k) {
    const int component = k < half ? 0 : 1;
    const auto metre = static_cast<std::int32_t>(k < half ? k : k - half);
    if (tags[k] == ElementTag::kInt16) {
      matrix.set_int16(metre, component, static_cast<std::int16_t>(values[k]));
    } else if (tags[k] == ElementTag::kFloat64) {
      matrix.set_float64(metre, component, values[k]);
    }
  }
  return matrix;
}

}  // namespace sb
