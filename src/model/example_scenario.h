// A small scenario that shows a fault or a warning, as `explain` and the author's manual give
// it and as the tests compile it.
#pragma once

#include <string_view>

namespace sb {

// Each file is written whole, lines ending in "\n"; an empty one stands for the smallest file
// of its kind, one that compiles without a fault or a warning.
struct ExampleScenario {
  std::string_view line_file = {};
  std::string_view train_file = {};
  bool no_line_file = false;  // the scenario has no line file at all
  // The train-file line that holds "{p}" stands `repeat` times, with p = 0, step, 2 x step ...
  int repeat = 0;
  int step = 0;
};

}  // namespace sb
