// `scenario_builder plan`: the SVG picture of a compiled scenario, drawn from the three binary
// files that the program or its output writer produced.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "author_fixture.h"
#include "compiled_fixture.h"
#include "svg_reading.h"
#include "test_support.h"
#include "viewer/plan_scene.h"

namespace sb::test {
namespace {

const std::string kBuiltinSvg = "Roccalta_ Valfiorita.svg";

bool have_rsvg_convert() {
  return std::system("command -v rsvg-convert >/dev/null 2>&1") == 0;
}

// The number of elements of the class in the document.
std::size_t count_class(const XmlElement& svg, const std::string& cls) {
  return svg.with_class(cls).size();
}

TEST(PlanBuiltin, DrawsTheLineAsWellFormedSvg) {
  TempDir dir;
  ASSERT_EQ(run_program({"--dir", dir.path()}, dir.path()).status, 0);
  const ProgramResult r = run_program({"plan", "--dir", dir.path()}, "/");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string svg = read_bytes(dir.file(kBuiltinSvg));
  const XmlElement root = parse_svg(svg);

  EXPECT_EQ(count_class(root, "station"), 22u);
  EXPECT_EQ(count_class(root, "signal"), 1u);
  EXPECT_EQ(count_class(root, "speed-board"), 4u);
  EXPECT_EQ(count_class(root, "mountain-side"), 5u);
  EXPECT_EQ(count_class(root, "curve"), 12u);
  // Every station in the strip; those of kind 25 and above have no stop cell.
  EXPECT_EQ(count_class(root, "strip-station"), 22u);
  EXPECT_EQ(count_class(root, "no-stop"), 2u * 15);
  for (const char* name :
       {"ROCCALTA", "S. ANNA DEL CARPINETO", "PIEVE S. MARCELLO", "VALFIORITA"}) {
    EXPECT_NE(svg.find(std::string(">") + name + "</text>"), std::string::npos) << name;
  }
  // The route from 0 to 18 000 m, one point every 7 m (25 001 metres in at most 4000 points).
  const std::size_t route_points = path_points(path_data(root, "route"));
  EXPECT_GE(route_points, 18000u / 7);
  EXPECT_LE(route_points, kMaxPlanPoints);
  EXPECT_GE(path_points(path_data(root, "run-out")), 2u);
}

TEST(PlanBuiltin, RendersToPng) {
  if (!have_rsvg_convert()) GTEST_SKIP() << "rsvg-convert is not installed";
  TempDir dir;
  ASSERT_EQ(run_program({"--dir", dir.path()}, dir.path()).status, 0);
  // Without names: the one compiled scenario of the folder.
  ASSERT_EQ(run_program({"plan"}, dir.path()).status, 0);
  const std::string command =
      "rsvg-convert -o '" + dir.file("plan.png") + "' '" + dir.file(kBuiltinSvg) + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string png = read_bytes(dir.file("plan.png"));
  ASSERT_GT(png.size(), 1000u);
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
}

// What the picture shows, gathered from the fixture's tables: point objects at the chainage of
// their cell ((n - 1) x 50 m), the strip's running values from n x 50 m, in km/h and per mille.
TEST(PlanScene, GathersObjectsAndTheStripFromTheTables) {
  const Scenario s = compiled_fixture("");
  const std::vector<StationRecord> stations(s.station_table.begin(), s.station_table.end());
  const PlanScene scene = build_plan_scene(s.route_matrix, stations, s.track_table);

  EXPECT_EQ(scene.scenario_name, "Prova");
  EXPECT_EQ(scene.line_name, "L1");
  EXPECT_EQ(scene.line_length_m, 150);
  ASSERT_EQ(scene.stations.size(), 2u);
  EXPECT_EQ(scene.stations[0].metre, 50);
  EXPECT_EQ(scene.stations[0].label, kMarkupName);
  EXPECT_EQ(scene.stations[0].variant, 1);  // kind 22: a stop cell
  EXPECT_DOUBLE_EQ(scene.stations[1].at.x, 120.0 * 120 / 3000);
  ASSERT_EQ(scene.signals.size(), 1u);
  EXPECT_EQ(scene.signals[0].metre, 50);
  ASSERT_EQ(scene.speed_boards.size(), 1u);
  EXPECT_EQ(scene.speed_boards[0].metre, 150);
  EXPECT_EQ(scene.speed_boards[0].label, "80/60/100");  // 1616, 1212, 2020: both sides alike
  ASSERT_EQ(scene.mountain_sides.size(), 1u);           // cells 2 and 3: from 100 m to 200 m
  EXPECT_EQ(scene.mountain_sides[0].metre, 100);
  EXPECT_EQ(scene.mountain_sides[0].to_m, 200);
  EXPECT_DOUBLE_EQ(scene.mountain_sides[0].line.front().y, 100 - 1.0 / 3);
  EXPECT_DOUBLE_EQ(scene.mountain_sides[0].line.back().y, 198 - 1.0 / 3);  // the last point

  // The route ends at the line's 150 m; the run-out goes on to the last point, metre 198. The
  // picture fits the line (and its stations), not the run-out.
  EXPECT_DOUBLE_EQ(scene.route.back().y, 150 - 1.0 / 3);
  EXPECT_DOUBLE_EQ(scene.run_out.back().y, 198 - 1.0 / 3);
  EXPECT_DOUBLE_EQ(scene.high.x, 150.0 * 150 / 3000);

  EXPECT_EQ(scene.strip_length_m, 150);
  EXPECT_EQ(scene.line_speed_kmh, (std::vector<PlanStep>{{0, 100, 30}, {100, 150, 1275}}));
  EXPECT_EQ(scene.speed_kmh, scene.line_speed_kmh);  // no slow order
  EXPECT_EQ(scene.gradient, (std::vector<PlanStep>{{0, 100, 0}, {100, 150, -100}}));
}

TEST(PlanScene, ARouteWithoutPointsIsRefused) {
  RouteMatrix empty;
  empty.allocate(10);
  EXPECT_THROW(build_plan_scene(empty, {}, {}), std::invalid_argument);
}

TEST(PlanFixture, NamesAreEscapedForXml) {
  TempDir dir;
  write_compiled_fixture(dir.path());
  const std::string out = dir.file("sub folder plan.svg");
  const ProgramResult r = run_program({"plan", "-o", out, "Prova", "L1"}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(exists(dir.file("Prova.svg")));
  const std::string svg = read_bytes(out);
  const XmlElement root = parse_svg(svg);
  EXPECT_NE(svg.find(">A &amp; B &lt;C&gt; &quot;D&quot; &apos;E&apos; \\F</text>"),
            std::string::npos);
  // A Latin-1 letter as its character, a control byte as the replacement character.
  EXPECT_NE(svg.find(">CITT&#xE0;&#xFFFD;X</text>"), std::string::npos);
  EXPECT_EQ(count_class(root, "station"), 2u);  // the signboard slot is no station
  EXPECT_EQ(count_class(root, "signal"), 1u);
  EXPECT_EQ(count_class(root, "speed-board"), 1u);
  // Both stations in the strip below the plan, by name, in their hover texts too.
  const auto strip = root.with_class("strip-station");
  ASSERT_EQ(strip.size(), 2u);
  EXPECT_EQ(strip[0]->child("title")->text.find("station \"" + kMarkupName + "\" at 50 m"), 0u);
}

TEST(PlanFixture, LongRouteIsThinnedOut) {
  TempDir dir;
  write_bytes(dir.file("Lunga_linea.txt"), crlf({"[generale]", "lunghezza percorso, 1000000",
                                                 "[curve]", "curvad1, 200000, 300000", "[fine]"}));
  write_bytes(dir.file("Lunga_L-.txt"),
              crlf({"[generale]", "velocita, 0, 60", "[stazioni]",
                    "stazione, 0, 22, 400, 0,0,0, 0,0,0, 0,0,0, 1, 12,0,0, INIZIO",
                    "stazione, 999000, 22, 400, 0,0,0, 0,0,0, 0,0,0, 1, 12,5,0, FINE", "[fine]"}));
  ASSERT_EQ(run_program({"compile", "Lunga", "L"}, dir.path()).status, 0);
  const ProgramResult r = run_program({"plan", "Lunga", "L"}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string svg = read_bytes(dir.file("Lunga.svg"));
  const XmlElement root = parse_svg(svg);
  EXPECT_LE(path_points(path_data(root, "route")) + path_points(path_data(root, "run-out")),
            kMaxPlanPoints + 3);
  EXPECT_LT(svg.size(), 200000u);
  EXPECT_EQ(count_class(root, "station"), 2u);
  EXPECT_EQ(count_class(root, "curve"), 1u);
}

// Without names, plan draws the one compiled scenario of its folder; otherwise it says what
// it looked for and found. "-o -" writes the picture to standard output.
TEST(PlanWithoutNames, DrawsTheOneScenarioOfTheFolder) {
  struct Case {
    const char* name;
    std::vector<std::string> copies;  // the fixture's files, copied to these scenario names
    bool remove_route = false;
    std::vector<std::string> args;
    int status;
    std::string message;
  };
  const Case cases[] = {
      {"one scenario", {}, false, {"plan"}, 0, ""},
      {"one scenario, to standard output", {}, false, {"plan", "-o", "-"}, 0, ""},
      {"an empty folder",
       {},
       true,
       {"plan", "--dir", "empty"},
       2,
       "no compiled scenario in \"empty\": looked for a station file SCENARIO_LINE.sim with its "
       "track file SCENARIO_LINE.dat and its route matrix file SCENARIO_linea.dat"},
      {"two scenarios",
       {"Altra"},
       false,
       {"plan"},
       2,
       "2 compiled scenarios in the current folder: \"Altra\" \"L1\", \"Prova\" \"L1\"; give "
       "SCENARIO "
       "and LINE to say which one to draw"},
      {"compiled without the route plan",
       {},
       true,
       {"plan"},
       2,
       "the compiled files \"Prova_L1.sim\" and \"Prova_L1.dat\" in the current folder have no "
       "route matrix file SCENARIO_linea.dat beside them"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    write_compiled_fixture(dir.path());
    std::filesystem::create_directory(dir.file("empty"));
    for (const std::string& other : c.copies) {
      for (const std::string& tail :
           {std::string("_L1.sim"), std::string("_L1.dat"), std::string("_linea.dat")}) {
        write_bytes(dir.file(other + tail), read_bytes(dir.file("Prova" + tail)));
      }
    }
    if (c.remove_route) std::remove(dir.file("Prova_linea.dat").c_str());
    const ProgramResult r = run_program(c.args, dir.path());
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(exists(dir.file("-")));
    const bool to_stdout = c.args.back() == "-";
    EXPECT_EQ(exists(dir.file("Prova.svg")), c.status == 0 && !to_stdout);
    if (to_stdout) {
      // The same picture as the one written to a file.
      ASSERT_EQ(run_program({"plan", "-o", "file.svg"}, dir.path()).status, 0);
      EXPECT_EQ(r.out, read_bytes(dir.file("file.svg")));
    }
  }
}

TEST(PlanErrors, MissingOrMalformedFilesAreReported) {
  struct Case {
    const char* name;
    std::vector<std::string> compile;  // how the files are made; empty: the fixture
    std::string remove;                // a file taken away afterwards
    std::string cut;                   // a file cut to 20 bytes
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {"compiled without the route plan",
       {"compile", "--no-geometry", "Prova", "L1"},
       "",
       "",
       {"plan", "Prova", "L1"},
       "no route matrix file \"Prova_linea.dat\": the plan is drawn from it (a scenario compiled "
       "with --no-geometry has none"},
      {"no station file",
       {},
       "Prova_L1.sim",
       "",
       {"plan", "Prova", "L1"},
       "cannot open \"Prova_L1.sim\""},
      {"track file cut short",
       {},
       "",
       "Prova_L1.dat",
       {"plan", "Prova", "L1"},
       "\"Prova_L1.dat\": malformed track file at byte 20: track cell 1, value3:"},
      {"no such folder",
       {},
       "",
       "",
       {"plan", "--dir", "nowhere", "Prova", "L1"},
       "no such folder for --dir: \"nowhere\""},
      {"one name only", {}, "", "", {"plan", "Prova"}, "plan takes SCENARIO and LINE, or nothing"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    if (c.compile.empty()) {
      write_compiled_fixture(dir.path());
    } else {
      write_bytes(dir.file("Prova_linea.txt"),
                  crlf({"[generale]", "lunghezza percorso, 3000", "[fine]"}));
      write_bytes(dir.file("Prova_L1-.txt"), crlf({"[generale]", "velocita, 0, 30", "[fine]"}));
      ASSERT_EQ(run_program(c.compile, dir.path()).status, 0);
    }
    if (!c.remove.empty()) std::remove(dir.file(c.remove).c_str());
    if (!c.cut.empty()) write_bytes(dir.file(c.cut), read_bytes(dir.file(c.cut)).substr(0, 20));
    const ProgramResult r = run_program(c.args, dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(exists(dir.file("Prova.svg")));
  }
}

}  // namespace
}  // namespace sb::test
