// What `scenario_builder explain` says about every fault code and every reader warning: why it
// is given, a small scenario that gives it, and how to fix it. The faults' explanations are
// their rows of the fault table; the warnings' are kept here. The author's manual carries the
// same text (its section on faults and warnings is made from these), and the tests compile
// every example and check that it gives exactly its code or warning.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/example_scenario.h"

namespace sb {

struct Explanation {
  std::int32_t code = 0;         // the fault code; 0 for a warning
  std::string_view name = {};    // the warning's name; empty for a fault code
  std::string_view cause = {};   // why the program reports it
  ExampleScenario example = {};  // a scenario that gives the fault or the warning
  std::string_view fix = {};     // what the author does about it
};

// The smallest files that compile without a fault or a warning; an example that shows only one
// of its files is compiled with the smallest file of the other kind.
inline constexpr std::string_view kSmallestLineFile =
    "[generale]\n"
    "lunghezza percorso, 10000\n"
    "[fine]\n";
inline constexpr std::string_view kSmallestTrainFile =
    "[generale]\n"
    "velocita, 0, 60\n"
    "aderenza, 0, 100\n"
    "[fine]\n";

// Every fault code, in increasing order, and every warning, in the order of the warning table.
std::span<const Explanation> fault_explanations();
std::span<const Explanation> warning_explanations();

// The explanation of a fault code ("16") or a warning name ("unknown-keyword"); nullptr when
// there is none.
const Explanation* find_explanation(std::string_view key);

// "16" for a fault code, the name for a warning.
std::string explanation_key(const Explanation& e);

// One line: the fault's message, or the warning's summary.
std::string explanation_summary(const Explanation& e);

// The example's files as the program reads them: the smallest file in place of an empty one,
// a repeated line written out.
std::string example_line_file(const ExampleScenario& x);
std::string example_train_file(const ExampleScenario& x);

// The same files as they are shown to an author: a repeated line stands twice, followed by a
// line that says how many there are.
std::string shown_line_file(const ExampleScenario& x);
std::string shown_train_file(const ExampleScenario& x);

}  // namespace sb
