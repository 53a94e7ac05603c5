#include "model/route_matrix.h"

#include <bit>
#include <cstddef>

namespace sb {
namespace {

std::size_t rank_index(const std::vector<std::uint64_t>& bits,
                       const std::vector<std::uint32_t>& rank, std::size_t w, std::uint64_t bit) {
  return rank[w] + static_cast<std::size_t>(std::popcount(bits[w] & (bit - 1)));
}

// Gives the element at `bit` of word w the value v of one type (`bits`, `rank`, `values`),
// taking it out of the other type's arrays if it was there. The words from w + 1 to `ranked`
// have ranks to keep up to date; when the elements come in increasing order there are none,
// and the value goes at the end of its array.
template <typename T, typename U>
void put(std::vector<std::uint64_t>& bits, std::vector<std::uint32_t>& rank, std::vector<T>& values,
         std::vector<std::uint64_t>& other_bits, std::vector<std::uint32_t>& other_rank,
         std::vector<U>& other_values, std::size_t ranked, std::size_t w, std::uint64_t bit, T v) {
  if (w + 1 == ranked && ((bits[w] | other_bits[w]) & ~(bit - 1)) == 0) {
    // After every element set so far: the common case, in increasing order of the metre.
    values.push_back(v);
    bits[w] |= bit;
    return;
  }
  const std::size_t at = rank_index(bits, rank, w, bit);
  if ((bits[w] & bit) != 0) {
    values[at] = v;
    return;
  }
  if ((other_bits[w] & bit) != 0) {
    const std::size_t from = rank_index(other_bits, other_rank, w, bit);
    other_values.erase(other_values.begin() + static_cast<std::ptrdiff_t>(from));
    other_bits[w] &= ~bit;
    for (std::size_t k = w + 1; k < ranked; ++k) --other_rank[k];
  }
  if (at == values.size()) {
    values.push_back(v);
  } else {
    values.insert(values.begin() + static_cast<std::ptrdiff_t>(at), v);
  }
  bits[w] |= bit;
  for (std::size_t k = w + 1; k < ranked; ++k) ++rank[k];
}

template <typename T>
std::size_t capacity_bytes(const std::vector<T>& v) {
  return v.capacity() * sizeof(T);
}

}  // namespace

void RouteMatrix::allocate(std::int32_t upper) {
  release();
  upper_ = upper;
  streamed_ = sink_ != nullptr;
  if (streamed_) {
    sink_->begin(upper);
    return;
  }
  const std::size_t words = word_of(upper) + 1;
  for (Component& p : parts_) {
    p.int_bits.assign(words, 0);
    p.float_bits.assign(words, 0);
    p.int_rank.assign(words, 0);
    p.float_rank.assign(words, 0);
  }
}

void RouteMatrix::release() {
  upper_ = -1;
  streamed_ = sink_ != nullptr;
  for (Component& p : parts_) p = Component();
}

void RouteMatrix::stream_to(RouteSink* sink) {
  release();
  sink_ = sink;
  streamed_ = sink != nullptr;
}

void RouteMatrix::set_int16_point(std::int32_t metre, std::int16_t x, std::int16_t y) {
  if (streamed_) {
    sink_->int16_point(metre, x, y);
    return;
  }
  set_int16(metre, 0, x);
  set_int16(metre, 1, y);
}

void RouteMatrix::steps(std::int32_t first, std::int32_t last, RouteTail& tail, double c,
                        bool curved) {
  if (streamed_) {
    sink_->steps(first, last, tail, c, curved);
    return;
  }
  // The reader's plan gives nearly every metre a float: room for one per metre is made at once
  // rather than by growing the arrays step after step.
  for (Component& p : parts_) {
    if (p.floats.capacity() == 0) p.floats.reserve(static_cast<std::size_t>(upper_) + 1);
  }
  std::int32_t metre = first;
  const auto store = [this, &metre](double x, double y) {
    set_float64(metre, 0, x);
    set_float64(metre, 1, y);
    ++metre;
  };
  route_steps(tail, std::int64_t{last} - first + 1, c, curved, store);
}

RouteMatrix::Component& RouteMatrix::ranked_to(int component, std::size_t w) {
  Component& p = parts_[component];
  // The words from `ranked` on hold no element yet: each starts after every value so far.
  for (; p.ranked <= w; ++p.ranked) {
    p.int_rank[p.ranked] = static_cast<std::uint32_t>(p.ints.size());
    p.float_rank[p.ranked] = static_cast<std::uint32_t>(p.floats.size());
  }
  return p;
}

void RouteMatrix::set_int16(std::int32_t metre, int component, std::int16_t v) {
  assert(valid(metre, component));
  const std::size_t w = word_of(metre);
  Component& p = ranked_to(component, w);
  put(p.int_bits, p.int_rank, p.ints, p.float_bits, p.float_rank, p.floats, p.ranked, w,
      bit_of(metre), v);
}

void RouteMatrix::set_float64(std::int32_t metre, int component, double v) {
  assert(valid(metre, component));
  const std::size_t w = word_of(metre);
  Component& p = ranked_to(component, w);
  put(p.float_bits, p.float_rank, p.floats, p.int_bits, p.int_rank, p.ints, p.ranked, w,
      bit_of(metre), v);
}

void RouteMatrix::reserve(int component, std::size_t ints, std::size_t floats) {
  parts_[component].ints.reserve(ints);
  parts_[component].floats.reserve(floats);
}

std::size_t RouteMatrix::held_bytes() const {
  std::size_t bytes = 0;
  for (const Component& p : parts_) {
    bytes += capacity_bytes(p.int_bits) + capacity_bytes(p.float_bits) +
             capacity_bytes(p.int_rank) + capacity_bytes(p.float_rank) + capacity_bytes(p.ints) +
             capacity_bytes(p.floats);
  }
  return bytes;
}

bool operator==(const RouteMatrix& a, const RouteMatrix& b) {
  if (a.upper_ != b.upper_ || a.streamed_ != b.streamed_) return false;
  for (int c = 0; c < 2; ++c) {
    const RouteMatrix::Component& p = a.parts_[c];
    const RouteMatrix::Component& q = b.parts_[c];
    if (p.int_bits != q.int_bits || p.float_bits != q.float_bits || p.ints != q.ints ||
        p.floats.size() != q.floats.size()) {
      return false;
    }
    for (std::size_t k = 0; k < p.floats.size(); ++k) {
      if (std::bit_cast<std::uint64_t>(p.floats[k]) != std::bit_cast<std::uint64_t>(q.floats[k])) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace sb
