// Reading the plan's SVG back in the tests: the parsed document, the coordinates of its paths,
// and the boxes its labels take.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "viewer/plan_placement.h"
#include "viewer/text_width.h"
#include "xml_check.h"

namespace sb::test {

// The document's root; a document that is not well-formed fails the test.
inline XmlElement parse_svg(const std::string& svg) {
  XmlElement root;
  EXPECT_EQ(xml_problem(svg, &root), "");
  return root;
}

// The `d` attribute of the first element of the class, or "".
inline std::string path_data(const XmlElement& root, const std::string& cls) {
  const auto found = root.with_class(cls);
  return found.empty() ? "" : found[0]->attribute("d");
}

// The numbers of a path's data, in order, whatever command letters stand between them.
inline std::vector<double> path_numbers(const std::string& d) {
  std::vector<double> numbers;
  const char* p = d.c_str();
  while (*p != '\0') {
    if ((*p >= '0' && *p <= '9') || *p == '-' || *p == '.') {
      char* end = nullptr;
      numbers.push_back(std::strtod(p, &end));
      p = end;
    } else {
      ++p;
    }
  }
  return numbers;
}

// The points of a path made of "x y" pairs (M and L commands only).
inline std::size_t path_points(const std::string& d) {
  return path_numbers(d).size() / 2;
}

// A level of a step line "M x y H x L x y H x ...": from x0 to x1 at height y.
struct Level {
  double x0, x1, y;
};
inline std::vector<Level> step_levels(const std::string& d) {
  const std::vector<double> v = path_numbers(d);
  std::vector<Level> levels;
  for (std::size_t k = 0; k + 2 < v.size(); k += 3) levels.push_back({v[k], v[k + 2], v[k + 1]});
  return levels;
}

inline double number_attribute(const XmlElement& e, const char* name) {
  return std::strtod(e.attribute(name).c_str(), nullptr);
}

// The box a label takes: its text is centred on (x, y).
inline ViewBox label_box(const XmlElement& text) {
  const double size = number_attribute(text, "font-size");
  return box_around(number_attribute(text, "x"), number_attribute(text, "y"),
                    text_width(text.text, size), text_height(size));
}

}  // namespace sb::test
