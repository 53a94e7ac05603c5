// The plan of the author's scenario, which holds one of every object an author places: each
// object is drawn, as an element of its own class with its hover text; no two labels meet,
// nor a label and a symbol; the route fills the frame; the speed strip dips at the slow order.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "author_fixture.h"
#include "svg_reading.h"
#include "test_support.h"

namespace sb::test {
namespace {

class AuthorPlan : public ::testing::Test {
 protected:
  void SetUp() override {
    compile_author_fixture(dir_);
    const ProgramResult r = run_program({"plan", "-o", "-"}, dir_.path());
    ASSERT_EQ(r.status, 0) << r.err;
    svg_ = r.out;
    root_ = parse_svg(svg_);
  }

  // The hover texts of the elements of the class; an element without one fails the test.
  std::vector<std::string> titles(const std::string& cls) const {
    std::vector<std::string> texts;
    for (const XmlElement* e : root_.with_class(cls)) {
      const XmlElement* title = e->child("title");
      EXPECT_NE(title, nullptr) << "an element of class " << cls << " without a title";
      texts.push_back(title ? title->text : "");
    }
    return texts;
  }

  TempDir dir_;
  std::string svg_;
  XmlElement root_;
};

TEST_F(AuthorPlan, DrawsEveryObjectWithItsHoverText) {
  struct Case {
    const char* cls;
    std::vector<std::string> titles;  // each title, in document order
  };
  const Case cases[] = {
      {"station",
       {"station \"MONTE\" at 300 m: kind 22, platform 200 m to 400 m, stop 08:01:00",
        "station \"BORGO\" at 2200 m: kind 22, platform 2100 m to 2300 m, stop 08:03:00",
        "station \"PIANA\" at 4200 m: kind 28, platform 4100 m to 4300 m, stop 08:05:30, no "
        "stop cell",
        "station \"FONDOVALLE\" at 6800 m: kind 6, platform 6600 m to 6950 m, stop 08:09:00"}},
      {"signal",
       {"signal at 5600 m: sx 2, s1 3, s2 0, s3 0, rapp 0, dx 2, d1 2, d2 0, d3 0, tempo 0"}},
      {"speed-board",
       {"speed board at 1200 m: s 60, 60, 60 km/h, stripes 0; d 60, 60, 60 km/h, stripes 0",
        "speed board at 4700 m: s 80, 80, 80 km/h, stripes 2; d 80, 80, 80 km/h, stripes 3"}},
      {"signboard", {"signboard \"PASSAGGIO A LIVELLO\" at 3800 m: slot 80"}},
      {"slow-order", {"slow order at 3000 m: 30 km/h to 3400 m (400 m), value 1"}},
      {"warning-board",
       {"warning board at 1800 m: 30 km/h for the slow order at 3000 m, 4 pre-warning cells"}},
      {"curve",
       {"curve from 800 m to 1200 m (400 m): right-hand, class 4 (curvad4), radius 1000 m",
        "curve from 2000 m to 2600 m (600 m): left-hand, class 3 (curvas3), radius 2500 m",
        "curve from 4200 m to 4500 m (300 m): right-hand, class 5 (curvad5), radius 500 m",
        "curve from 5500 m to 6300 m (800 m): left-hand, class 2 (curvas2), radius 5000 m"}},
      {"mountain-side", {"mountain side from 1500 m to 2600 m: type 2, with markers"}},
      // Four generated around the slow order, then the author's own at 6100 m (its cell
      // round(6100 / 50) = 122 stands for 6050 m).
      {"abbattimento",
       {"abbattimento point at 2100 m: value 180", "abbattimento point at 2450 m: value 180",
        "abbattimento point at 2750 m: value 180", "abbattimento point at 3350 m: value 180",
        "abbattimento point at 6050 m: value 40"}},
      {"kilometre-tick",
       {"chainage 0 m", "chainage 1000 m", "chainage 2000 m", "chainage 3000 m", "chainage 4000 m",
        "chainage 5000 m", "chainage 6000 m", "chainage 7000 m"}},
      {"route", {"route from 0 m to 7000 m"}},
      {"run-out", {"run-out beyond the end of the line at 7000 m"}},
      {"strip-station",
       {"station \"MONTE\" at 300 m: kind 22, platform 200 m to 400 m, stop 08:01:00",
        "station \"BORGO\" at 2200 m: kind 22, platform 2100 m to 2300 m, stop 08:03:00",
        "station \"PIANA\" at 4200 m: kind 28, platform 4100 m to 4300 m, stop 08:05:30, no "
        "stop cell",
        "station \"FONDOVALLE\" at 6800 m: kind 6, platform 6600 m to 6950 m, stop 08:09:00"}},
      {"slow-order-band", {"slow order at 3000 m: 30 km/h to 3400 m (400 m), value 1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cls);
    EXPECT_EQ(titles(c.cls), c.titles);
  }
  EXPECT_EQ(root_.with_class("no-stop").size(), 2u);  // PIANA, on the plan and in the strip

  // The labels say what the author wrote.
  std::vector<std::string> labels;
  for (const XmlElement* e : root_.with_class("label")) {
    if (!e->has_class("tick-label")) labels.push_back(e->text);
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"30 km/h", "MONTE", "BORGO", "PIANA", "FONDOVALLE",
                                              "60", "80", "PASSAGGIO A LIVELLO"}));

  const XmlElement* summary = nullptr;
  for (const auto& e : root_.children) {
    if (e->attribute("id") == "summary") summary = e.get();
  }
  ASSERT_NE(summary, nullptr);
  EXPECT_EQ(summary->text,
            "7 km line: 4 stations (3 with a stop cell), 1 signal, 2 speed boards, 1 signboard, "
            "1 slow order, 1 warning board, 4 curves, 1 mountain-side stretch, 5 abbattimento "
            "points");
}

TEST_F(AuthorPlan, LabelsMeetNeitherEachOtherNorTheSymbols) {
  const auto frame = root_.with_class("plan-frame");
  ASSERT_EQ(frame.size(), 1u);
  const double left = number_attribute(*frame[0], "x"), top = number_attribute(*frame[0], "y");
  const ViewBox inside{left, top, left + number_attribute(*frame[0], "width"),
                       top + number_attribute(*frame[0], "height")};

  std::vector<ViewBox> labels;
  for (const XmlElement* e : root_.with_class("label")) labels.push_back(label_box(*e));
  ASSERT_GE(labels.size(), 10u);
  std::vector<ViewBox> symbols;
  for (const char* cls : {"station", "signal", "speed-board", "signboard"}) {
    for (const XmlElement* g : root_.with_class(cls)) {
      for (const auto& shape : g->children) {
        if (shape->name == "circle") {
          const double r = number_attribute(*shape, "r");
          symbols.push_back(box_around(number_attribute(*shape, "cx"),
                                       number_attribute(*shape, "cy"), 2 * r, 2 * r));
        } else if (shape->name == "rect") {
          const double x = number_attribute(*shape, "x"), y = number_attribute(*shape, "y");
          symbols.push_back({x, y, x + number_attribute(*shape, "width"),
                             y + number_attribute(*shape, "height")});
        }
      }
    }
  }
  ASSERT_EQ(symbols.size(), 4u + 1 + 2 + 1);
  for (std::size_t a = 0; a < labels.size(); ++a) {
    const ViewBox& l = labels[a];
    EXPECT_TRUE(l.left >= inside.left && l.right <= inside.right && l.top >= inside.top &&
                l.bottom <= inside.bottom)
        << "label " << a << " leaves the frame";
    for (std::size_t b = a + 1; b < labels.size(); ++b) {
      EXPECT_FALSE(boxes_overlap(l, labels[b])) << "labels " << a << " and " << b;
    }
    for (std::size_t s = 0; s < symbols.size(); ++s) {
      EXPECT_FALSE(boxes_overlap(l, symbols[s])) << "label " << a << " and symbol " << s;
    }
  }
}

TEST_F(AuthorPlan, TheRouteFillsTheFrameAndTheRunOutIsClippedToIt) {
  const auto frame = root_.with_class("plan-frame");
  ASSERT_EQ(frame.size(), 1u);
  const std::vector<double> v = path_numbers(path_data(root_, "route"));
  ASSERT_GE(v.size(), 4u);
  double x0 = v[0], x1 = v[0], y0 = v[1], y1 = v[1];
  for (std::size_t k = 0; k + 1 < v.size(); k += 2) {
    x0 = std::min(x0, v[k]), x1 = std::max(x1, v[k]);
    y0 = std::min(y0, v[k + 1]), y1 = std::max(y1, v[k + 1]);
  }
  // The 7000 m of run-out take no room of their own: the line's own extent fills at least
  // 85 % of the frame in one direction, and stays inside it.
  const double width = number_attribute(*frame[0], "width");
  const double height = number_attribute(*frame[0], "height");
  EXPECT_GE(std::max((x1 - x0) / width, (y1 - y0) / height), 0.85);
  EXPECT_GE(x0, number_attribute(*frame[0], "x"));
  EXPECT_LE(y1, number_attribute(*frame[0], "y") + height);
  // The run-out leaves the frame and is cut at it.
  const auto plan = root_.with_class("run-out");
  ASSERT_EQ(plan.size(), 1u);
  EXPECT_NE(svg_.find("<g id=\"plan\" clip-path=\"url(#plan-clip)\">"), std::string::npos);
  const std::vector<double> r = path_numbers(plan[0]->attribute("d"));
  EXPECT_LT(r[r.size() - 1], number_attribute(*frame[0], "y"));  // beyond the frame's top
}

TEST_F(AuthorPlan, SpeedStripDipsAtTheSlowOrder) {
  const auto band = root_.with_class("slow-order-band");
  const auto strip = root_.with_class("speed-band");
  ASSERT_EQ(band.size(), 1u);
  ASSERT_EQ(strip.size(), 1u);
  const double from = number_attribute(*band[0], "x");
  const double to = from + number_attribute(*band[0], "width");
  const double bottom = number_attribute(*strip[0], "y") + number_attribute(*strip[0], "height");

  // The height of the speed line just before, inside and just after the slow order.
  const std::vector<Level> levels = step_levels(path_data(root_, "speed-limit"));
  auto speed_height = [&](double x) {
    for (const Level& l : levels) {
      if (x >= l.x0 && x < l.x1) return bottom - l.y;
    }
    ADD_FAILURE() << "no level at " << x;
    return 0.0;
  };
  const double before = speed_height(from - 1), inside = speed_height((from + to) / 2);
  const double after = speed_height(to + 1);
  EXPECT_NEAR(inside / before, 30.0 / 60, 0.01);  // 30 km/h on a 60 km/h line
  EXPECT_NEAR(after, before, 0.01);
  // The line's own limit goes on at 60 km/h above the dip.
  bool line_above = false;
  for (const Level& l : step_levels(path_data(root_, "line-speed"))) {
    line_above = line_above || (l.x0 <= (from + to) / 2 && l.x1 > (from + to) / 2 &&
                                std::fabs(bottom - l.y - before) < 0.01);
  }
  EXPECT_TRUE(line_above);
  // Each speed and gradient level that occurs is written on its axis.
  std::vector<std::string> speeds, gradients;
  for (const XmlElement* e : root_.with_class("speed-level")) speeds.push_back(e->text);
  for (const XmlElement* e : root_.with_class("gradient-level")) gradients.push_back(e->text);
  EXPECT_EQ(speeds, (std::vector<std::string>{"80", "60", "50", "30", "0"}));
  EXPECT_EQ(gradients, (std::vector<std::string>{"+12", "+5", "0", "-8"}));
}

}  // namespace
}  // namespace sb::test
