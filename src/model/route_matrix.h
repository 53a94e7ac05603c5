// The route plan: two tagged coordinates per metre of the extended route.
//
// Each element is empty, a signed 16-bit integer or a 64-bit float; the tag is part of the
// data because the route matrix file records it. Tags and values are kept in separate flat
// arrays (one byte and one double per element) so a 1 000 000 m route stays small.
#pragma once

#include <cassert>
#include <cstdint>
#include <vector>

namespace sb {

enum class ElementTag : std::uint16_t { kEmpty = 0, kInt16 = 2, kFloat64 = 5 };

struct RouteElement {
  ElementTag tag = ElementTag::kEmpty;
  double value = 0.0;  // the integer for kInt16, the float for kFloat64, 0 when empty
};

class RouteMatrix {
 public:
  // Creates the matrix anew with metres 0 .. upper, every element empty.
  void allocate(std::int32_t upper);
  void release();

  bool exists() const { return !tags_[0].empty(); }
  // Highest metre index; -1 when the matrix does not exist.
  std::int32_t upper() const { return static_cast<std::int32_t>(tags_[0].size()) - 1; }
  bool contains(std::int64_t metre) const { return metre >= 0 && metre <= upper(); }

  // Element access; `metre` must satisfy contains() and `component` is 0 or 1. Defined here
  // so that the point-by-point loops over two million elements compile to plain loads and
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

  // Raw views for the output writer and the dump.
  const std::vector<ElementTag>& tags(int component) const { return tags_[component]; }
  const std::vector<double>& values(int component) const { return values_[component]; }

 private:
  bool valid(std::int32_t metre, int component) const {
    return contains(metre) && (component == 0 || component == 1);
  }

  std::vector<ElementTag> tags_[2];
  std::vector<double> values_[2];
};

}  // namespace sb
