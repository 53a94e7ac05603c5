// The plan of the author's scenario in a real browser, headless Chromium: the picture it draws
// is not blank, the hover texts are in the document it builds, and the labels, measured with
// the browser's own fonts, meet neither each other nor the symbols.
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "author_fixture.h"
#include "png_pixels.h"
#include "svg_reading.h"
#include "test_support.h"

namespace sb::test {
namespace {

const std::string kChromium = "/usr/bin/chromium";

// Runs Chromium headless on the file with `options`, with a fresh profile of its own and
// nothing fetched from the network; at most two minutes.
ProgramResult chromium(const TempDir& dir, const std::string& profile,
                       std::vector<std::string> options, const std::string& file) {
  std::vector<std::string> args = {"120",
                                   kChromium,
                                   "--headless",
                                   "--no-sandbox",
                                   "--disable-gpu",
                                   "--disable-quic",
                                   "--no-first-run",
                                   "--disable-background-networking",
                                   "--disable-component-update",
                                   "--disable-sync",
                                   "--user-data-dir=" + dir.file(profile)};
  args.insert(args.end(), options.begin(), options.end());
  args.push_back("file://" + file);
  return run_program(args, dir.path(), "/usr/bin/timeout");
}

// A page that holds the picture and writes the boxes the browser gives its labels and symbols
// into the page, one "label|symbol x y width height" per line.
std::string measuring_page(const std::string& svg) {
  const std::string body = svg.substr(svg.find("<svg"));
  return "<!DOCTYPE html><html><body style=\"margin:0\">" + body +
         "<pre id=\"boxes\"></pre><script>\n"
         "var out = [];\n"
         "function add(what, e) { var b = e.getBBox();"
         " out.push([what, b.x, b.y, b.width, b.height].join(' ')); }\n"
         "document.querySelectorAll('text.label').forEach(function (e) { add('label', e); });\n"
         "document.querySelectorAll('g.station > circle, g.signal > circle,"
         " g.speed-board > rect, g.signboard > rect').forEach(function (e) {"
         " add('symbol', e); });\n"
         "document.getElementById('boxes').textContent = out.join('\\n');\n"
         "</script></body></html>\n";
}

TEST(PlanInBrowser, AuthorPlanRendersWithItsHoverTextsAndLabelsApart) {
  if (::access(kChromium.c_str(), X_OK) != 0) {
    GTEST_SKIP() << "Chromium is not installed (" << kChromium << ", Debian package chromium)";
  }
  TempDir dir;
  compile_author_fixture(dir);
  ASSERT_EQ(run_program({"plan"}, dir.path()).status, 0);
  const std::string svg_path = dir.file(kAuthorScenario + ".svg");
  const std::string svg = read_bytes(svg_path);

  // The screenshot: the picture's own colours on a good share of it.
  const ProgramResult shot =
      chromium(dir, "profile-shot",
               {"--window-size=1000,1110", "--screenshot=" + dir.file("shot.png")}, svg_path);
  ASSERT_EQ(shot.status, 0) << shot.err;
  const Pixels pixels = decode_png(read_bytes(dir.file("shot.png")));
  ASSERT_EQ(pixels.width, 1000u);
  std::size_t inked = 0, route = 0, slow_order = 0;
  std::set<int> colours;
  for (std::size_t y = 0; y < pixels.height; ++y) {
    for (std::size_t x = 0; x < pixels.width; ++x) {
      const std::uint8_t* p = pixels.at(x, y);
      const int r = p[0], g = p[1], b = p[2];
      inked += r + g + b < 3 * 235;
      colours.insert((r >> 4) << 8 | (g >> 4) << 4 | (b >> 4));
      route += std::abs(r - 0x1f) + std::abs(g - 0x4e) + std::abs(b - 0x9a) < 40;
      slow_order += r > 200 && g < 170 && b > 150 && r - g > 60;  // the pink slow-order band
    }
  }
  EXPECT_GT(inked, pixels.width * pixels.height / 50) << "the screenshot is all but blank";
  EXPECT_GT(colours.size(), 20u);
  EXPECT_GT(route, 500u);
  EXPECT_GT(slow_order, 100u);

  // The document the browser built holds every hover text of the picture.
  const ProgramResult dom = chromium(dir, "profile-dom", {"--dump-dom"}, svg_path);
  ASSERT_EQ(dom.status, 0) << dom.err;
  const XmlElement root = parse_svg(svg);
  std::size_t titles = 0;
  for (std::size_t at = svg.find("<title>"); at != std::string::npos;
       at = svg.find("<title>", at + 1)) {
    ++titles;
  }
  std::size_t dom_titles = 0;
  for (std::size_t at = dom.out.find("<title>"); at != std::string::npos;
       at = dom.out.find("<title>", at + 1)) {
    ++dom_titles;
  }
  EXPECT_EQ(dom_titles, titles);
  EXPECT_GT(titles, 30u);
  for (const char* text :
       {"<title>slow order at 3000 m: 30 km/h to 3400 m (400 m), value 1</title>",
        "<title>signboard \"PASSAGGIO A LIVELLO\" at 3800 m: slot 80</title>",
        "<title>curve from 800 m to 1200 m (400 m): right-hand, class 4 (curvad4), radius "
        "1000 m</title>",
        "<title>signal at 5600 m: sx 2, s1 3, s2 0, s3 0, rapp 0, dx 2, d1 2, d2 0, d3 0, "
        "tempo 0</title>"}) {
    EXPECT_NE(dom.out.find(text), std::string::npos) << text;
  }

  // The labels as the browser lays them out.
  write_bytes(dir.file("measure.html"), measuring_page(svg));
  const ProgramResult measured =
      chromium(dir, "profile-measure", {"--dump-dom"}, dir.file("measure.html"));
  ASSERT_EQ(measured.status, 0) << measured.err;
  const std::size_t from = measured.out.find("<pre id=\"boxes\">");
  ASSERT_NE(from, std::string::npos);
  std::istringstream lines(measured.out.substr(from + 16));
  std::vector<ViewBox> labels, symbols;
  for (std::string what; lines >> what && (what == "label" || what == "symbol");) {
    double x, y, w, h;
    lines >> x >> y >> w >> h;
    (what == "label" ? labels : symbols).push_back({x, y, x + w, y + h});
  }
  EXPECT_EQ(labels.size(), root.with_class("label").size());
  EXPECT_EQ(symbols.size(), 8u);
  for (std::size_t a = 0; a < labels.size(); ++a) {
    // Half a unit of rounding in the browser's boxes is no overlap.
    const ViewBox l = grown(labels[a], -0.5);
    for (std::size_t b = a + 1; b < labels.size(); ++b) {
      EXPECT_FALSE(boxes_overlap(l, labels[b])) << "labels " << a << " and " << b;
    }
    for (std::size_t s = 0; s < symbols.size(); ++s) {
      EXPECT_FALSE(boxes_overlap(l, symbols[s])) << "label " << a << " and symbol " << s;
    }
  }
}

}  // namespace
}  // namespace sb::test
