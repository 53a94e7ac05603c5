#include "format/route_matrix_file.h"

#include <algorithm>
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

std::size_t encoded_route_matrix_bytes(const RouteMatrix& matrix) {
  if (!matrix.exists() || matrix.streamed()) return 0;
  const auto metres = static_cast<std::size_t>(matrix.upper()) + 1;
  std::size_t bytes = 2 * metres * encoded_size(ElementTag::kEmpty);
  for (int c = 0; c < 2; ++c) {
    bytes += matrix.int16_count(c) *
             (encoded_size(ElementTag::kInt16) - encoded_size(ElementTag::kEmpty));
    bytes += matrix.float64_count(c) *
             (encoded_size(ElementTag::kFloat64) - encoded_size(ElementTag::kEmpty));
  }
  return bytes;
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
    matrix.for_each(c, [&](ElementTag tag, double value) {
      if (p > room_end) {
        sink(std::string_view(begin, static_cast<std::size_t>(p - begin)));
        p = begin;
      }
      p = put_element(p, tag, value);
    });
  }
  if (p != begin) sink(std::string_view(begin, static_cast<std::size_t>(p - begin)));
}

}  // namespace

std::string encode_route_matrix_file(const RouteMatrix& matrix) {
  std::string out;
  out.reserve(encoded_route_matrix_bytes(matrix));
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

// The size of the element at `at` of `bytes`, or 0 when its tag is not all there yet. Throws
// DecodeError for an unknown tag, at `base` + `at`.
std::size_t element_size(std::string_view bytes, std::size_t at, std::size_t base) {
  if (bytes.size() - at < 2) return 0;
  const std::uint16_t tag = load_le16(bytes.data() + at);
  switch (static_cast<ElementTag>(tag)) {
    case ElementTag::kEmpty:
    case ElementTag::kInt16:
    case ElementTag::kFloat64:
      return encoded_size(static_cast<ElementTag>(tag));
  }
  throw DecodeError(base + at, "unknown element tag " + std::to_string(tag));
}

}  // namespace

void RouteMatrixDecoder::element(ByteReader& in) {
  const RouteElement e = read_element(in);
  const std::size_t k = seen_++;
  if (!filling_) {
    if (k % kMarkStride == 0) marks_.push_back(counted_);
    counted_.ints += e.tag == ElementTag::kInt16 ? 1 : 0;
    counted_.floats += e.tag == ElementTag::kFloat64 ? 1 : 0;
    return;
  }
  if (k >= count_) throw DecodeError(offset_, "the file grew while it was read");
  const std::size_t half = count_ / 2;
  const int component = k < half ? 0 : 1;
  const auto metre = static_cast<std::int32_t>(k < half ? k : k - half);
  if (e.tag == ElementTag::kInt16) {
    matrix_.set_int16(metre, component, static_cast<std::int16_t>(e.value));
  } else if (e.tag == ElementTag::kFloat64) {
    matrix_.set_float64(metre, component, e.value);
  }
}

void RouteMatrixDecoder::reserve_values() {
  // The counts at the marks around the middle bound those of the first half: from above by
  // the next mark, from below by the one before, so each component gets room for its values
  // and at most kMarkStride more.
  const std::size_t half = count_ / 2;
  const std::size_t before = half / kMarkStride;
  const std::size_t after = (half + kMarkStride - 1) / kMarkStride;
  const Counts low = before < marks_.size() ? marks_[before] : counted_;
  const Counts high = after < marks_.size() ? marks_[after] : counted_;
  matrix_.reserve(0, high.ints, high.floats);
  matrix_.reserve(1, counted_.ints - low.ints, counted_.floats - low.floats);
  std::vector<Counts>().swap(marks_);
}

void RouteMatrixDecoder::take(std::string_view piece) {
  std::size_t from = 0;
  if (!carry_.empty()) {
    // The element cut by the last piece is completed from the head of this one.
    const std::size_t had = carry_.size();
    carry_.append(piece.substr(0, std::min(piece.size(), kLargestElement)));
    const std::size_t size = element_size(carry_, 0, offset_);
    if (size == 0 || carry_.size() < size) return;  // the whole piece is in carry_
    ByteReader in(std::string_view(carry_).substr(0, size));
    element(in);
    from = size - had;
    offset_ += size;
    carry_.clear();
  }
  const std::string_view rest = piece.substr(from);
  ByteReader in(rest);
  while (!in.at_end()) {
    const std::size_t at = in.offset();
    const std::size_t size = element_size(rest, at, offset_);
    if (size == 0 || in.left() < size) {
      carry_.assign(rest.substr(at));
      offset_ += at;
      return;
    }
    element(in);
  }
  offset_ += rest.size();
}

void RouteMatrixDecoder::end_pass() {
  if (!carry_.empty()) {
    // An element cut short by the end of the file: said as a whole-file reading says it.
    ByteReader in(carry_);
    try {
      read_element(in);
    } catch (const DecodeError& e) {
      throw DecodeError(offset_ + e.offset(), e.detail());
    }
  }
  if (filling_) {
    if (seen_ != count_) throw DecodeError(offset_, "the file shrank while it was read");
    return;
  }
  count_ = seen_;
  if (count_ % 2 != 0) {
    throw DecodeError(offset_,
                      std::to_string(count_) + " elements cannot make two equal components");
  }
  const std::size_t half = count_ / 2;
  if (half > 0) {
    if (half - 1 > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
      throw DecodeError(0, "too many elements for a route matrix");
    }
    matrix_.allocate(static_cast<std::int32_t>(half - 1));
    reserve_values();
  }
  filling_ = true;
  seen_ = 0;
  offset_ = 0;
}

RouteMatrix decode_route_matrix_file(std::string_view bytes) {
  RouteMatrixDecoder decoder;
  for (int pass = 0; pass < 2; ++pass) {
    decoder.take(bytes);
    decoder.end_pass();
  }
  return decoder.result();
}

}  // namespace sb
