// Reading compiled values back as the author wrote them, finding the curves of a route in its
// plan, and finding the compiled scenarios of a folder by the names of its files.
#include "viewer/author_values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/scenario.h"
#include "reader/route_geometry.h"
#include "viewer/compiled_scenarios.h"
#include "viewer/route_curves.h"

namespace sb::test {
namespace {

TEST(AuthorValues, PackedValuesComeApart) {
  struct Case {
    TrackCell cell;
    std::string signal;  // the cell read as a signal
    std::string board;   // the cell read as a speed board
    std::string label;
  };
  const Case cases[] = {
      // The built-in signal: s1 3 d1 2, sx 2 dx 2 (value4 8), tempo kept.
      {{kSignal, 32, 0, 0, 8, 0, 0, 0, 0, 0, 0},
       "sx 2, s1 3, s2 0, s3 0, rapp 0, dx 2, d1 2, d2 0, d3 0, tempo 0",
       "s 0, 0, 0 km/h, stripes 0; d 160, 0, 0 km/h, stripes 8",
       "0 | 160/0/0"},
      // sx 1: no tempo is kept; rapp 4 in the tens of value4.
      {{kSignal, 12, 34, 56, 45, 101, 0, 0, 0, 0, 0},
       "sx 1, s1 1, s2 3, s3 5, rapp 4, dx 2, d1 2, d2 4, d3 6, tempo not kept",
       "s 0, 0, 0 km/h, stripes 4; d 60, 170, 280 km/h, stripes 5",
       "0 | 60/170/280"},
      // Speed boards: 80 and 80 km/h is 1616, 60 and 100 is 1220; stripes 2 and 3 are 23.
      {{kSpeedBoard, 1616, 1616, 1616, 23, 0, 0, 0, 0, 0, 0},
       "sx 1, s1 161, s2 161, s3 161, rapp 2, dx 0, d1 6, d2 6, d3 6, tempo not kept",
       "s 80, 80, 80 km/h, stripes 2; d 80, 80, 80 km/h, stripes 3",
       "80"},
      {{kSpeedBoard, 1220, 1616, 2020, 0, 0, 0, 0, 0, 0, 0},
       "sx 0, s1 122, s2 161, s3 202, rapp 0, dx 0, d1 0, d2 6, d3 0, tempo not kept",
       "s 60, 80, 100 km/h, stripes 0; d 100, 80, 100 km/h, stripes 0",
       "60/80/100 | 100/80/100"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cell.value1);
    EXPECT_EQ(signal_text(read_signal(c.cell)), c.signal);
    EXPECT_EQ(speed_board_text(read_speed_board(c.cell)), c.board);
    EXPECT_EQ(speed_board_label(read_speed_board(c.cell)), c.label);
  }
}

TEST(AuthorValues, UnitsOfTheLayersAndTimes) {
  EXPECT_EQ(speed_kmh(12), 60);
  EXPECT_EQ(speed_kmh(255), 1275);
  EXPECT_EQ(gradient_per_mille(112), 12);
  EXPECT_EQ(gradient_per_mille(0), -100);
  EXPECT_EQ(signed_text(12), "+12");
  EXPECT_EQ(signed_text(-8), "-8");
  EXPECT_EQ(signed_text(0), "0");
  for (const auto& [seconds, text] : {std::pair{28980, "08:03:00"},
                                      {43861, "12:11:01"},
                                      {0, "00:00:00"},
                                      {90061, "25:01:01"},
                                      {-10, "-00:00:10"}}) {
    EXPECT_EQ(clock_text(seconds), text);
  }
}

// A route plan built by the reader's own route steps from curve entries (position, length,
// curvature per metre).
RouteMatrix route_with_curves(
    std::int32_t length,
    const std::vector<std::tuple<std::int32_t, std::int32_t, double>>& curves) {
  Scenario s;
  s.extended_length = length;
  s.route_matrix.allocate(length);
  RouteBuilder route;
  start_route(s, route);
  for (const auto& [p, n, c] : curves) EXPECT_TRUE(add_curve(s, route, c, p, n));
  extend_route(s, route);
  return s.route_matrix;
}

TEST(RouteCurves, FoundByTheirTurnWithClassAndSide) {
  // A right-hand class 4 curve, straight, a left-hand class 2 curve running straight into a
  // right-hand one of no class (1/1500 per metre), and a class 6 curve at the very end.
  const RouteMatrix m = route_with_curves(
      5000, {{500, 400, 0.001}, {1500, 800, -0.0002}, {2300, 300, 1.0 / 1500}, {4700, 200, 0.003}});
  const std::vector<RouteCurve> curves = find_route_curves(m, m.upper());
  ASSERT_EQ(curves.size(), 4u);
  const std::tuple<std::int64_t, std::int64_t, int, bool> expected[] = {
      {500, 900, 4, true}, {1500, 2300, 2, false}, {2300, 2600, 0, true}, {4700, 4900, 6, true}};
  for (std::size_t k = 0; k < curves.size(); ++k) {
    const auto& [from, to, cls, right] = expected[k];
    SCOPED_TRACE(k);
    EXPECT_EQ(curves[k].from_m, from);
    EXPECT_EQ(curves[k].to_m, to);
    EXPECT_EQ(curves[k].curve_class, cls);
    EXPECT_EQ(curves[k].curvature > 0, right);
  }
  EXPECT_NEAR(curves[2].curvature, 1.0 / 1500, 1e-9);
  // A straight route has none.
  EXPECT_TRUE(find_route_curves(route_with_curves(400, {}), 400).empty());
}

TEST(CompiledScenarios, FoundByTheirFileNames) {
  struct Case {
    const char* name;
    std::vector<std::string> files;
    std::vector<std::tuple<std::string, std::string, bool>> found;
  };
  const Case cases[] = {
      {"the built-in scenario, whose name holds an underscore",
       {"Roccalta_ Valfiorita_LINEA 7.dat", "Roccalta_ Valfiorita_LINEA 7.sim",
        "Roccalta_ Valfiorita_linea.dat", "Roccalta_ Valfiorita_LINEA 7_note.txt"},
       {{"Roccalta_ Valfiorita", "LINEA 7", true}}},
      {"two scenarios",
       {"A_L.dat", "A_L.sim", "A_linea.dat", "B_M.dat", "B_M.sim", "B_linea.dat"},
       {{"A", "L", true}, {"B", "M", true}}},
      {"compiled without the route plan", {"A_L.dat", "A_L.sim"}, {{"A_L", "", false}}},
      {"a station file without its track file", {"A_L.sim", "A_linea.dat"}, {}},
      {"a route matrix file alone", {"A_linea.dat"}, {}},
      {"two ways to part the names",
       {"A_B_C.sim", "A_B_C.dat", "A_linea.dat", "A_B_linea.dat"},
       {{"A", "B_C", true}, {"A_B", "C", true}}},
      {"no file", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::tuple<std::string, std::string, bool>> found;
    for (const CompiledScenario& s : find_compiled_scenarios(c.files)) {
      found.emplace_back(s.scenario, s.line, s.has_route);
    }
    EXPECT_EQ(found, c.found);
  }
}

}  // namespace
}  // namespace sb::test
