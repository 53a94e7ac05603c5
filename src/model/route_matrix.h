// The route plan: two tagged coordinates per metre of the extended route.
//
// Each element is empty, a signed 16-bit integer or a 64-bit float; the tag is part of the
// data because the route matrix file records it. In memory, a component keeps one bit per
// metre for each non-empty type and the values of the non-empty elements only, so that an
// empty element costs a few bits and a full one about what the file spends on it. A build that
// writes the route matrix file does not keep the plan in memory at all: the points go to a
// RouteSink as they are computed, in order, and straight on into the file.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/route_steps.h"

namespace sb {

enum class ElementTag : std::uint16_t { kEmpty = 0, kInt16 = 2, kFloat64 = 5 };

struct RouteElement {
  ElementTag tag = ElementTag::kEmpty;
  double value = 0.0;  // the integer for kInt16, the float for kFloat64, 0 when empty
};

// Where the points of a streamed route plan go. The reader computes each point once, in
// increasing order of the metre, so the points arrive in that order, each metre once; the
// metres never given a point stay empty.
class RouteSink {
 public:
  virtual ~RouteSink() = default;
  // The plan is created anew with metres 0 .. upper, every element empty.
  virtual void begin(std::int32_t upper) = 0;
  // Metre `metre` gets the two 16-bit integers (x, y).
  virtual void int16_point(std::int32_t metre, std::int16_t x, std::int16_t y) = 0;
  // Metres first .. last get, as floats, the points of route_steps from `tail` (which is left
  // at the last two of them): curved steps turning by c radians, or straight ones.
  virtual void steps(std::int32_t first, std::int32_t last, RouteTail& tail, double c,
                     bool curved) = 0;
};

// A sink that makes every step of the plan (for the faults the steps can meet) and drops the
// points: the plan of a build that writes nothing, or of a copy read for the report.
class DroppedRoute final : public RouteSink {
 public:
  void begin(std::int32_t) override {}
  void int16_point(std::int32_t, std::int16_t, std::int16_t) override {}
  void steps(std::int32_t first, std::int32_t last, RouteTail& tail, double c,
             bool curved) override {
    route_steps(tail, std::int64_t{last} - first + 1, c, curved, [](double, double) {});
  }
};

class RouteMatrix {
 public:
  // Creates the matrix anew with metres 0 .. upper, every element empty.
  void allocate(std::int32_t upper);
  void release();

  // From now on the matrix is created in, and its points go to, `sink` instead of memory
  // (nullptr: memory again). The element access below is then not available.
  void stream_to(RouteSink* sink);
  // Lets go of the sink, which is going away; the matrix keeps its size, and its points stay
  // where they went.
  void detach_sink() { sink_ = nullptr; }
  // True when the points went to a sink: the matrix has a size but no element in memory.
  bool streamed() const { return streamed_; }

  bool exists() const { return upper_ >= 0; }
  // Highest metre index; -1 when the matrix does not exist.
  std::int32_t upper() const { return upper_; }
  bool contains(std::int64_t metre) const { return metre >= 0 && metre <= upper_; }

  // The points as the reader makes them, in increasing order of the metre (streamed or not):
  // metre `metre` as two 16-bit integers; metres first .. last as the floats of route_steps
  // from `tail`, which is left at the last two of them.
  void set_int16_point(std::int32_t metre, std::int16_t x, std::int16_t y);
  void steps(std::int32_t first, std::int32_t last, RouteTail& tail, double c, bool curved);

  // Element access to a matrix in memory; `metre` must satisfy contains() and `component` is 0
  // or 1. A lookup is two bit tests and a population count.
  RouteElement get(std::int32_t metre, int component) const {
    assert(valid(metre, component));
    const Component& p = parts_[component];
    const std::size_t w = word_of(metre);
    const std::uint64_t bit = bit_of(metre);
    if ((p.int_bits[w] & bit) != 0) {
      return {ElementTag::kInt16,
              static_cast<double>(p.ints[index(p.int_bits, p.int_rank, w, bit)])};
    }
    if ((p.float_bits[w] & bit) != 0) {
      return {ElementTag::kFloat64, p.floats[index(p.float_bits, p.float_rank, w, bit)]};
    }
    return {};
  }
  ElementTag tag(std::int32_t metre, int component) const {
    assert(valid(metre, component));
    const Component& p = parts_[component];
    const std::size_t w = word_of(metre);
    const std::uint64_t bit = bit_of(metre);
    if ((p.int_bits[w] & bit) != 0) return ElementTag::kInt16;
    if ((p.float_bits[w] & bit) != 0) return ElementTag::kFloat64;
    return ElementTag::kEmpty;
  }
  // The element's value read as a number (an empty element reads as 0).
  double number(std::int32_t metre, int component) const { return get(metre, component).value; }

  // Setting an element is constant time when the elements of a component are set in
  // increasing order of the metre (as the reader and the file decoder do); setting one before
  // the last set, or changing an element's type, moves the values after it.
  void set_int16(std::int32_t metre, int component, std::int16_t v);
  void set_float64(std::int32_t metre, int component, double v);

  // Calls f(tag, value) for every element of `component`, metres 0 .. upper in order (none
  // while streamed): the walk of the file writer and the comparisons.
  template <typename F>
  void for_each(int component, F&& f) const {
    const Component& p = parts_[component];
    if (streamed_) return;
    std::size_t next_int = 0;
    std::size_t next_float = 0;
    for (std::int64_t m = 0; m <= upper_; ++m) {
      const std::size_t w = word_of(m);
      const std::uint64_t bit = bit_of(m);
      if ((p.int_bits[w] & bit) != 0) {
        f(ElementTag::kInt16, static_cast<double>(p.ints[next_int++]));
      } else if ((p.float_bits[w] & bit) != 0) {
        f(ElementTag::kFloat64, p.floats[next_float++]);
      } else {
        f(ElementTag::kEmpty, 0.0);
      }
    }
  }

  // Makes room for `ints` integers and `floats` floats in `component`, so that setting that
  // many takes no more memory than they need.
  void reserve(int component, std::size_t ints, std::size_t floats);

  // How many elements of `component` hold a 16-bit integer, and a float.
  std::size_t int16_count(int component) const { return parts_[component].ints.size(); }
  std::size_t float64_count(int component) const { return parts_[component].floats.size(); }
  // The bytes of memory the elements hold (the capacity of their arrays).
  std::size_t held_bytes() const;

  // Same size, same streaming state and the same elements; floats compare by their bits.
  friend bool operator==(const RouteMatrix& a, const RouteMatrix& b);

 private:
  // One coordinate of every metre: which metres hold an integer and which a float (one bit
  // each per metre), and the values of those metres only, in metre order. int_rank[w] is the
  // number of integers in the words before word w, likewise float_rank, for the words up to
  // `ranked` (past the last word with an element, no rank is needed yet).
  struct Component {
    std::vector<std::uint64_t> int_bits;
    std::vector<std::uint64_t> float_bits;
    std::vector<std::uint32_t> int_rank;
    std::vector<std::uint32_t> float_rank;
    std::vector<std::int16_t> ints;
    std::vector<double> floats;
    std::size_t ranked = 0;
  };

  static std::size_t word_of(std::int64_t metre) { return static_cast<std::size_t>(metre) >> 6; }
  static std::uint64_t bit_of(std::int64_t metre) { return std::uint64_t{1} << (metre & 63); }
  // The number of bits set in x, inline on every target (a portable build would otherwise
  // call a library routine for each lookup).
  static std::size_t count_bits(std::uint64_t x) {
    x -= (x >> 1) & 0x5555555555555555u;
    x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
    x = (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0fu;
    return static_cast<std::size_t>((x * 0x0101010101010101u) >> 56);
  }
  static std::size_t index(const std::vector<std::uint64_t>& bits,
                           const std::vector<std::uint32_t>& rank, std::size_t w,
                           std::uint64_t bit) {
    return rank[w] + count_bits(bits[w] & (bit - 1));
  }
  bool valid(std::int32_t metre, int component) const {
    return !streamed_ && contains(metre) && (component == 0 || component == 1);
  }
  Component& ranked_to(int component, std::size_t w);

  std::int32_t upper_ = -1;
  RouteSink* sink_ = nullptr;
  bool streamed_ = false;
  Component parts_[2];
};

}  // namespace sb
