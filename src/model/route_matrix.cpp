#include "model/route_matrix.h"

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

}  // namespace sb
