#include "model/route_matrix.h"

namespace sb {

void RouteMatrix::allocate(std::int32_t upper) {
  release();
  upper_ = upper;
  streamed_ = sink_ != nullptr;
  if (streamed_) {
    sink_->begin(upper);
    return;
  }
  const auto size = static_cast<std::size_t>(upper) + 1;
  for (int c = 0; c < 2; ++c) {
    tags_[c].assign(size, ElementTag::kEmpty);
    values_[c].assign(size, 0.0);
  }
}

void RouteMatrix::release() {
  upper_ = -1;
  streamed_ = sink_ != nullptr;
  for (int c = 0; c < 2; ++c) {
    std::vector<ElementTag>().swap(tags_[c]);
    std::vector<double>().swap(values_[c]);
  }
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
  std::int32_t metre = first;
  const auto store = [this, &metre](double x, double y) {
    set_float64(metre, 0, x);
    set_float64(metre, 1, y);
    ++metre;
  };
  route_steps(tail, std::int64_t{last} - first + 1, c, curved, store);
}

}  // namespace sb
