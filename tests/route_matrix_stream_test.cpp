// The route matrix file streamed while the route plan is computed must hold exactly the bytes
// of the same plan encoded from memory, whatever shape the reading left the plan in.
#include "format/route_matrix_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "compiler/memorizza_percorso.h"
#include "format/route_matrix_file.h"
#include "platform/temporary_file.h"
#include "reader_fixture.h"
#include "test_support.h"

namespace sb::test {
namespace {

// What a reading does to the plan: create it (once or more), give metres 0 and 1 their
// integers, then steps up to `last_float` in runs of uneven lengths, straight and curved.
struct Shape {
  const char* name;
  std::vector<std::int32_t> uppers;  // each allocate(), the last one counts
  bool started;
  std::int32_t last_float;  // below 2: no float
};

void apply(RouteMatrix& m, const Shape& shape) {
  for (const std::int32_t upper : shape.uppers) m.allocate(upper);
  if (!shape.started) return;
  m.set_int16_point(0, 0, 0);
  m.set_int16_point(1, 0, 1);
  RouteTail tail{0.0, 0.0, 0.0, 1.0};
  static constexpr std::int32_t kRuns[] = {1, 2047, 3, 30000, 500};
  static constexpr double kTurns[] = {0.0, 0.001, -0.003, 0.0, 0.0002};
  std::int32_t k = 2;
  for (int r = 0; k <= shape.last_float; ++r) {
    const std::int32_t last = std::min(k + kRuns[r % 5] - 1, shape.last_float);
    const double c = kTurns[r % 5];
    m.steps(k, last, tail, c, c != 0.0);
    k = last + 1;
  }
}

TEST(RouteMatrixStream, WritesTheBytesOfThePlanInMemory) {
  const Shape shapes[] = {
      {"complete plan", {25000}, true, 24998},
      {"complete plan of several blocks per half", {60000}, true, 59998},
      {"plan stopped part-way (a fault)", {60000}, true, 31234},
      {"plan stopped before its first float", {60000}, true, 1},
      {"plan never started (the reading ended first)", {60000}, false, 0},
      {"curve to the last metre (floats where a complete plan is empty)", {60000}, true, 60000},
      {"curve to the metre before the last", {25000}, true, 24999},
      {"created twice: the second plan counts", {80000, 30000}, true, 29998},
      {"smallest plans", {1}, true, 1},
      {"plan of 3 metres", {3}, true, 1},
      {"plan of 4 metres", {4}, true, 2},
      {"plan of 5 metres with its last metre a float", {5}, true, 5},
  };
  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.name);
    TempDir dir;
    const std::string path = dir.file("route.dat");
    RouteMatrix in_memory;
    apply(in_memory, shape);
    {
      TemporaryFile file(path);
      RouteMatrixStream stream(file);
      RouteMatrix streamed;
      streamed.stream_to(&stream);
      apply(streamed, shape);
      EXPECT_TRUE(streamed.streamed());
      EXPECT_EQ(streamed.upper(), in_memory.upper());
      stream.finish();
      file.seal();
      file.publish();
    }
    const std::string expected = encode_route_matrix_file(in_memory);
    const std::string written = read_bytes(path);
    ASSERT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected);
  }
}

TEST(RouteMatrixStream, NoPlanLeavesTheFileEmpty) {
  TempDir dir;
  {
    TemporaryFile file(dir.file("route.dat"));
    RouteMatrixStream stream(file);
    stream.finish();
    file.seal();
    file.publish();
  }
  EXPECT_EQ(read_bytes(dir.file("route.dat")), "");
}

TEST(RouteMatrixStream, PointsOutOfOrderAreRefused) {
  TempDir dir;
  TemporaryFile file(dir.file("route.dat"));
  RouteMatrixStream stream(file);
  RouteTail tail;
  EXPECT_THROW(stream.int16_point(0, 0, 0), std::logic_error);  // before the plan exists
  stream.begin(100);
  stream.int16_point(0, 0, 0);
  EXPECT_THROW(stream.int16_point(2, 0, 0), std::logic_error);  // metre 1 skipped
  stream.int16_point(1, 0, 1);
  EXPECT_THROW(stream.steps(2, 101, tail, 0.0, false), std::logic_error);  // beyond metre 100
}

// The complete sizes: 10 x upper - 18 bytes a half for every plan of at least 4 metres.
TEST(RouteMatrixStream, CompleteHalfSizes) {
  EXPECT_EQ(RouteMatrixStream::complete_half_bytes(25000), 249982u);
  EXPECT_EQ(RouteMatrixStream::complete_half_bytes(1007000), 10u * 1007000 - 18);
  EXPECT_EQ(RouteMatrixStream::complete_half_bytes(3), 12u);  // 4 + 4 + 2 + 2
  EXPECT_EQ(RouteMatrixStream::complete_half_bytes(1), 8u);
  EXPECT_EQ(RouteMatrixStream::complete_half_bytes(0), 4u);
}

}  // namespace
}  // namespace sb::test

namespace sb::test {
namespace {

// A build that writes nothing makes the route plan's steps for the faults they can meet and
// keeps none of its points; one that writes has them in its file only.
TEST(RouteMatrixStream, ABuildKeepsNoRoutePlanInMemory) {
  struct Case {
    const char* name;
    Scenario::OutputPolicy policy;
    std::string curve;
    std::int32_t code;
  };
  const Case cases[] = {
      {"check, clean", Scenario::OutputPolicy::kNever, "curvad4, 1500, 550", 0},
      {"check, curve beyond the plan", Scenario::OutputPolicy::kNever, "curvad4, 24000, 1001", 25},
      {"compile, clean", Scenario::OutputPolicy::kUnlessFaults, "curvad4, 1500, 550", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReaderRun r;
    write_bytes(line_file_name(r.s), line_file_with({c.curve}));
    write_bytes(train_file_name(r.s), train_file_from_origin({}));
    r.s.output_policy = c.policy;
    const std::int32_t j = 1;
    EXPECT_TRUE(memorizza_percorso(r.s, j));
    EXPECT_EQ(r.s.error_code, c.code);
    EXPECT_TRUE(r.s.route_matrix.streamed());
    EXPECT_EQ(r.s.route_matrix.upper(), 25000);
    EXPECT_EQ(r.s.route_matrix.held_bytes(), 0u);
    const bool written = c.policy != Scenario::OutputPolicy::kNever;
    EXPECT_EQ(exists(route_matrix_file_name(r.s)), written);
    if (written) {
      EXPECT_EQ(read_bytes(route_matrix_file_name(r.s)).size(), 2u * (10 * 25000 - 18));
    }
  }
}

}  // namespace
}  // namespace sb::test
