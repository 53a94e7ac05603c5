// The route plan: two tagged coordinates per metre of the extended route.
//
// Each element is empty, a signed 16-bit integer or a 64-bit float; the tag is part of the
// data because the route matrix file records it. In memory, tags and values are kept in
// separate flat arrays. A build that writes the route matrix file does not keep the plan in
// memory at all: the points go to a RouteSink as they are computed, in order, and straight on
// into the file.
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
  // or 1. Defined here so that loops over two million elements compile to plain loads and
  // stores.
  RouteElement get(std::int32_t metre, int component) const {
    assert(valid(metre, component));
    return {tags_[component][metre], values_[component][metre]};
  }
  ElementTag tag(std::int32_t metre, int component) const {
    assert(valid(metre, component));
    return tags_[component][metre];
  }
  // The element's value read as a number (an empty element reads as 0).
  double number(std::int32_t metre, int component) const {
    assert(valid(metre, component));
    return values_[component][metre];
  }
  void set_int16(std::int32_t metre, int component, std::int16_t v) {
    assert(valid(metre, component));
    tags_[component][metre] = ElementTag::kInt16;
    values_[component][metre] = v;
  }
  void set_float64(std::int32_t metre, int component, double v) {
    assert(valid(metre, component));
    tags_[component][metre] = ElementTag::kFloat64;
    values_[component][metre] = v;
  }

  // Raw views for the output writer and the dump (empty while streamed).
  const std::vector<ElementTag>& tags(int component) const { return tags_[component]; }
  const std::vector<double>& values(int component) const { return values_[component]; }

 private:
  bool valid(std::int32_t metre, int component) const {
    return !streamed_ && contains(metre) && (component == 0 || component == 1);
  }

  std::int32_t upper_ = -1;
  RouteSink* sink_ = nullptr;
  bool streamed_ = false;
  std::vector<ElementTag> tags_[2];
  std::vector<double> values_[2];
};

}  // namespace sb
