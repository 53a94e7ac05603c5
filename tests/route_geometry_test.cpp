// The route plan built from the curve entries of the line file.
#include "reader/route_geometry.h"

#include <gtest/gtest.h>

#include <string>

#include "reader_fixture.h"

namespace sb::test {
namespace {

TEST(CurveCurvature, ClassDigitAndSide) {
  struct Case {
    const char* keyword;
    double c;
  };
  const Case cases[] = {
      {"curvad1", 0.0001},  {"curvad2", 0.0002}, {"curvad3", 0.0004},   {"curvad4", 0.001},
      {"curvad5", 0.002},   {"curvad6", 0.003},  {"curvas4", -0.001},   {"CURVAS4", -0.001},
      {"curvad42", 0.0002}, {"curvad64", 0.001}, {"curva 5 S", -0.002}, {"curvad7", 0.0},
      {"curvad0", 0.0},     {"curvad", 0.0},
  };
  for (const Case& c : cases) EXPECT_EQ(curve_curvature(c.keyword), c.c) << c.keyword;
}

TEST_F(ReaderTest, WithoutCurvesTheRouteIsStraight) {
  read(line_file_with({}), train_file_with({}), 1);
  ASSERT_EQ(s.error_code, 0);
  const RouteMatrix& m = s.route_matrix;
  EXPECT_EQ(m.tag(0, 0), ElementTag::kInt16);
  EXPECT_EQ(m.tag(0, 1), ElementTag::kInt16);
  EXPECT_EQ(m.tag(1, 0), ElementTag::kInt16);
  EXPECT_EQ(m.tag(1, 1), ElementTag::kInt16);
  for (int k = 2; k <= 24998; ++k) {
    ASSERT_EQ(m.tag(k, 0), ElementTag::kFloat64) << k;
    ASSERT_EQ(m.tag(k, 1), ElementTag::kFloat64) << k;
    ASSERT_EQ(m.number(k, 0), 0.0) << k;
    ASSERT_EQ(m.number(k, 1), k) << k;
  }
  EXPECT_EQ(m.tag(24999, 0), ElementTag::kEmpty);
  EXPECT_EQ(m.tag(25000, 1), ElementTag::kEmpty);
}

TEST_F(ReaderTest, LeftHandCurveInCapitals) {
  read(line_file_with({"CURVAS4, 1000, 100"}), train_file_with({}), 1);
  ASSERT_EQ(s.error_code, 0);
  EXPECT_EQ(s.route_matrix.number(1000, 0), 0.0);
  EXPECT_EQ(s.route_matrix.number(1001, 0), -0.001);
  EXPECT_EQ(s.route_matrix.number(1001, 1), 1001.0);
  EXPECT_TRUE(step_at(s.route_matrix, 1100, -0.001));
  EXPECT_TRUE(step_at(s.route_matrix, 1101, 0.0));
  EXPECT_FALSE(step_at(s.route_matrix, 1101, -0.001));
}

TEST(RouteGeometry, CurvesThatStartOrEndBehindThePointIndex) {
  ReaderRun single, overlapping, behind;
  single.read(line_file_with({"curvad4, 1000, 100"}), train_file_with({}), 1);
  // The second curve starts behind the index: it has no straight part and keeps turning
  // from point 1101 to point 1150.
  overlapping.read(line_file_with({"curvad4, 1000, 100", "curvas2, 1050, 100"}),
                   train_file_with({}), 1);
  // The second curve ends behind the index: it adds no point.
  behind.read(line_file_with({"curvad4, 1000, 100", "curvas5, 500, 100"}), train_file_with({}), 1);
  for (const ReaderRun* r : {&single, &overlapping, &behind}) ASSERT_EQ(r->s.error_code, 0);

  const RouteMatrix& o = overlapping.s.route_matrix;
  EXPECT_TRUE(step_at(o, 1101, -0.0002));
  EXPECT_TRUE(step_at(o, 1150, -0.0002));
  EXPECT_TRUE(step_at(o, 1151, 0.0));
  EXPECT_FALSE(step_at(o, 1151, -0.0002));

  const RouteMatrix& a = single.s.route_matrix;
  const RouteMatrix& b = behind.s.route_matrix;
  for (int k = 0; k <= 25000; ++k) {
    ASSERT_EQ(a.tag(k, 0), b.tag(k, 0)) << k;
    ASSERT_EQ(a.number(k, 0), b.number(k, 0)) << k;
    ASSERT_EQ(a.number(k, 1), b.number(k, 1)) << k;
  }
}

TEST(RouteGeometry, PointIndexPastOneMillionInACurve) {
  struct Case {
    const char* curve;
    std::int32_t code;
  };
  const Case cases[] = {
      {"curvad1, 999000, 999", 0},     // its last point is 999 999
      {"curvad1, 999000, 1000", 103},  // the index passes 1 000 000 after the curve's last point
      {"curvad1, 1000001, 10", 103},   // in the straight part before the curve
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.curve);
    ReaderRun r;
    r.read(crlf({"[generale]", "lunghezza percorso, 1000000", "[curve]", c.curve, "[fine]"}),
           train_file_with({}), 1);
    EXPECT_EQ(r.s.error_code, c.code);
    EXPECT_FALSE(r.line_file_left());
    const RouteMatrix& m = r.s.route_matrix;
    EXPECT_EQ(m.tag(1000000, 0), ElementTag::kFloat64);
    if (c.code == 103) {
      // The reading stopped: the points computed so far stay, nothing after them.
      EXPECT_EQ(m.tag(1000001, 0), ElementTag::kEmpty);
      EXPECT_TRUE(r.train_file_left());
    } else {
      // The extension runs on to the end without any such limit.
      EXPECT_EQ(m.tag(1006998, 0), ElementTag::kFloat64);
      EXPECT_EQ(m.tag(1006999, 0), ElementTag::kEmpty);
    }
  }
}

TEST_F(ReaderTest, CurveBeyondTheTrackEndsThePassAndTheRouteIsStillExtended) {
  read(line_file_with({"curvad4, 1000, 100", "curvad4, 24901, 10"}), train_file_with({}), 1);
  EXPECT_EQ(s.error_code, 15);
  EXPECT_EQ(s.error_position, 24901);
  EXPECT_TRUE(step_at(s.route_matrix, 24998, 0.0));
  EXPECT_EQ(s.route_matrix.tag(24999, 0), ElementTag::kEmpty);
}

}  // namespace
}  // namespace sb::test
