#include "model/route_matrix.h"

#include <cassert>

namespace sb {

void RouteMatrix::allocate(std::int32_t upper) {
  release();
  const auto size = static_cast<std::size_t>(upper) + 1;
  for (int c = 0; c < 2; ++c) {
    tags_[c].assign(size, ElementTag::kEmpty);
    values_[c].assign(size, 0.0);
  }
}

void RouteMatrix::release() {
  for (int c = 0; c < 2; ++c) {
    std::vector<ElementTag>().swap(tags_[c]);
    std::vector<double>().swap(values_[c]);
  }
}

RouteElement RouteMatrix::get(std::int32_t metre, int component) const {
  assert(contains(metre) && (component == 0 || component == 1));
  return {tags_[component][metre], values_[component][metre]};
}

ElementTag RouteMatrix::tag(std::int32_t metre, int component) const {
  assert(contains(metre) && (component == 0 || component == 1));
  return tags_[component][metre];
}

double RouteMatrix::number(std::int32_t metre, int component) const {
  assert(contains(metre) && (component == 0 || component == 1));
  return values_[component][metre];
}

void RouteMatrix::set_int16(std::int32_t metre, int component, std::int16_t v) {
  assert(contains(metre) && (component == 0 || component == 1));
  tags_[component][metre] = ElementTag::kInt16;
  values_[component][metre] = v;
}

void RouteMatrix::set_float64(std::int32_t metre, int component, double v) {
  assert(contains(metre) && (component == 0 || component == 1));
  tags_[component][metre] = ElementTag::kFloat64;
  values_[component][metre] = v;
}

}  // namespace sb
