#include "format/route_matrix_stream.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "format/route_matrix_file.h"

namespace sb {

RouteMatrixStream::RouteMatrixStream(TemporaryFile& file)
    : file_(file), blocks_(2 * kRouteBlockBytes) {
  halves_[0].block = blocks_.data();
  halves_[1].block = blocks_.data() + kRouteBlockBytes;
}

RouteMatrixStream::~RouteMatrixStream() = default;

std::uint64_t RouteMatrixStream::complete_half_bytes(std::int32_t upper) {
  const std::int64_t metres = std::int64_t{upper} + 1;
  const std::int64_t ints = std::min<std::int64_t>(2, metres);
  const std::int64_t floats = std::max<std::int64_t>(0, std::int64_t{upper} - 3);
  const std::int64_t empties = metres - ints - floats;
  return static_cast<std::uint64_t>(4 * ints + 10 * floats + 2 * empties);
}

void RouteMatrixStream::begin(std::int32_t upper) {
  if (upper_ >= 0) file_.resize(0);  // a second route length starts the plan anew
  for (Half& h : halves_) h.used = h.stored = 0;
  first_half_excess_.clear();
  upper_ = upper;
  next_ = 0;
  second_half_ = complete_half_bytes(upper);
}

void RouteMatrixStream::expect(std::int32_t first, std::size_t n) {
  if (upper_ < 0 || first != next_ || std::int64_t{first} + std::int64_t(n) - 1 > upper_) {
    throw std::logic_error("route plan point " + std::to_string(first) +
                           " out of order: the next is " + std::to_string(next_) + " of 0 to " +
                           std::to_string(upper_));
  }
}

std::size_t RouteMatrixStream::room(int c) const {
  return kRouteBlockBytes - halves_[c].used;
}

void RouteMatrixStream::flush(int c) {
  Half& h = halves_[c];
  std::string_view bytes(h.block, h.used);
  if (c == 1) {
    file_.write_at(second_half_ + h.stored, bytes);
  } else {
    // The first half never writes over the second: what lies beyond the second half's start
    // waits in memory (a few bytes at most, see first_half_excess_).
    const std::uint64_t fits = h.stored >= second_half_
                                   ? 0
                                   : std::min<std::uint64_t>(bytes.size(), second_half_ - h.stored);
    file_.write_at(h.stored, bytes.substr(0, fits));
    first_half_excess_.append(bytes.substr(fits));
  }
  h.stored += h.used;
  h.used = 0;
}

void RouteMatrixStream::int16_point(std::int32_t metre, std::int16_t x, std::int16_t y) {
  expect(metre, 1);
  const double xy[2] = {static_cast<double>(x), static_cast<double>(y)};
  for (int c = 0; c < 2; ++c) {
    if (room(c) < kLargestElement) flush(c);
    Half& h = halves_[c];
    h.used = static_cast<std::size_t>(put_element(h.block + h.used, ElementTag::kInt16, xy[c]) -
                                      h.block);
  }
  ++next_;
}

void RouteMatrixStream::steps(std::int32_t first, std::int32_t last, RouteTail& tail, double c,
                              bool curved) {
  const std::int64_t n = std::int64_t{last} - first + 1;
  expect(first, static_cast<std::size_t>(n));
  constexpr std::size_t kFloatBytes = 10;
  for (std::int64_t done = 0; done < n;) {
    for (int h = 0; h < 2; ++h) {
      if (room(h) < kFloatBytes) flush(h);
    }
    // As many steps as both blocks have room for, encoded without a check each.
    const auto fit = static_cast<std::int64_t>(std::min(
        {static_cast<std::size_t>(n - done), room(0) / kFloatBytes, room(1) / kFloatBytes}));
    char* p0 = halves_[0].block + halves_[0].used;
    char* p1 = halves_[1].block + halves_[1].used;
    const auto encode = [&p0, &p1](double x, double y) {
      p0 = put_element(p0, ElementTag::kFloat64, x);
      p1 = put_element(p1, ElementTag::kFloat64, y);
    };
    route_steps(tail, fit, c, curved, encode);
    halves_[0].used += static_cast<std::size_t>(fit) * kFloatBytes;
    halves_[1].used += static_cast<std::size_t>(fit) * kFloatBytes;
    done += fit;
  }
  next_ = last + 1;
}

void RouteMatrixStream::put_empty_tail() {
  for (; next_ <= upper_; ++next_) {
    for (int c = 0; c < 2; ++c) {
      if (room(c) < kLargestElement) flush(c);
      Half& h = halves_[c];
      h.used = static_cast<std::size_t>(put_element(h.block + h.used, ElementTag::kEmpty, 0.0) -
                                        h.block);
    }
  }
}

void RouteMatrixStream::move_second_half(std::uint64_t to, std::uint64_t size) {
  char* const buffer = halves_[1].block;  // flushed: free to use
  const std::uint64_t from = second_half_;
  const auto move_block = [&](std::uint64_t offset, std::size_t n) {
    if (file_.read_at(from + offset, buffer, n) != n) {
      throw std::logic_error("the route matrix file is shorter than what was written to it");
    }
    file_.write_at(to + offset, std::string_view(buffer, n));
  };
  // Block by block, from the end that the moved bytes do not overwrite first.
  if (to < from) {
    for (std::uint64_t offset = 0; offset < size;) {
      const auto n =
          static_cast<std::size_t>(std::min<std::uint64_t>(kRouteBlockBytes, size - offset));
      move_block(offset, n);
      offset += n;
    }
  } else {
    for (std::uint64_t end = size; end > 0;) {
      const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kRouteBlockBytes, end));
      end -= n;
      move_block(end, n);
    }
  }
}

void RouteMatrixStream::finish() {
  if (upper_ < 0) return;  // no plan was ever made: the file stays empty
  put_empty_tail();
  flush(0);
  flush(1);
  const std::uint64_t first = halves_[0].stored;
  const std::uint64_t second = halves_[1].stored;
  if (first == second_half_) return;
  move_second_half(first, second);
  if (!first_half_excess_.empty()) file_.write_at(second_half_, first_half_excess_);
  file_.resize(first + second);
}

}  // namespace sb
