#include "viewer/route_plan_stream.h"

#include <cstring>
#include <vector>

#include "format/little_endian.h"
#include "format/route_matrix_file.h"
#include "platform/files.h"

namespace sb {
namespace {

// The elements of one reader of the file, in order.
class ElementStream {
 public:
  explicit ElementStream(const ReadSome& read) : read_(read), buffer_(kReadPieceBytes) {}

  // The next element; false at the end of the file or at an element cut short or unknown.
  bool next(ElementTag& tag, double& value) {
    if (end_ - pos_ < kLargestElement) refill();
    if (end_ - pos_ < 2) return false;
    const char* p = buffer_.data() + pos_;
    tag = static_cast<ElementTag>(load_le16(p));
    std::size_t size = 0;
    switch (tag) {
      case ElementTag::kEmpty:
        size = 2;
        value = 0.0;
        break;
      case ElementTag::kInt16:
        size = 4;
        if (end_ - pos_ >= size) value = static_cast<std::int16_t>(load_le16(p + 2));
        break;
      case ElementTag::kFloat64:
        size = 10;
        if (end_ - pos_ >= size) value = double_from_bits(load_le64(p + 2));
        break;
      default:
        return false;
    }
    if (end_ - pos_ < size) return false;
    pos_ += size;
    return true;
  }

  bool at_end() {
    refill();
    return pos_ == end_;
  }

 private:
  // Moves what is left to the front and reads until the buffer is full or the file ends.
  void refill() {
    std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
    end_ -= pos_;
    pos_ = 0;
    while (!done_ && end_ < buffer_.size()) {
      const std::size_t n = read_(buffer_.data() + end_, buffer_.size() - end_);
      if (n == 0) done_ = true;
      end_ += n;
    }
  }

  const ReadSome& read_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0, end_ = 0;
  bool done_ = false;
};

}  // namespace

bool stream_route_plan(const std::string& path, std::int32_t upper, CurveFinder& finder) {
  if (upper < 0) return false;
  bool whole = false;
  read_opened_file(path, [&](std::uint64_t, const ReadSome& first) {
    read_opened_file(path, [&](std::uint64_t, const ReadSome& second) {
      ElementStream xs(first), ys(second);
      ElementTag tag{}, x_tag{}, y_tag{};
      double value = 0.0, x = 0.0, y = 0.0;
      for (std::int64_t m = 0; m <= upper; ++m) {
        if (!ys.next(tag, value)) return;  // the second reader starts at the second half
      }
      for (std::int64_t m = 0; m <= upper; ++m) {
        if (!xs.next(x_tag, x) || !ys.next(y_tag, y)) return;
        finder.point(x_tag, x, y_tag, y);
      }
      whole = ys.at_end();
    });
  });
  return whole;
}

}  // namespace sb
