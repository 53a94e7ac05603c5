#include "model/file_name_slips.h"

#include "model/file_names.h"

namespace sb {
namespace {

char ascii_lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

// The name with what a near name may differ in taken out: the case of its letters (`fold`),
// "-" (`dashes`) and blanks (`blanks`).
std::string loose_form(std::string_view name, bool fold, bool dashes, bool blanks) {
  std::string form;
  for (const char c : name) {
    if ((dashes && c == '-') || (blanks && is_blank(c))) continue;
    form += fold ? ascii_lower(c) : c;
  }
  return form;
}

bool same_but_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (ascii_lower(a[k]) != ascii_lower(b[k])) return false;
  }
  return true;
}

// `name` without `ending` (in any case), or nothing when it does not end so.
std::optional<std::string_view> without_ending(std::string_view name, std::string_view ending) {
  if (name.size() < ending.size() ||
      !same_but_case(name.substr(name.size() - ending.size()), ending)) {
    return std::nullopt;
  }
  return name.substr(0, name.size() - ending.size());
}

}  // namespace

std::vector<NearName> near_names(std::string_view looked_for,
                                 const std::vector<std::string>& leaves) {
  const auto differs = [&](const std::string& leaf, bool fold, bool dashes, bool blanks) {
    return loose_form(leaf, fold, dashes, blanks) != loose_form(looked_for, fold, dashes, blanks);
  };
  std::vector<NearName> found;
  for (const std::string& leaf : leaves) {
    if (leaf == looked_for || differs(leaf, true, true, true)) continue;
    found.push_back({.leaf = leaf,
                     .in_case = differs(leaf, false, true, true),
                     .in_dashes = differs(leaf, true, false, true),
                     .in_blanks = differs(leaf, true, true, false)});
  }
  return found;
}

std::optional<ScenarioNames> names_from_file_names(std::string_view scenario,
                                                   std::string_view line) {
  const std::string line_ending = line_file_leaf("");
  const std::string train_ending = train_file_leaf("", "").substr(1);  // "-.txt"
  ScenarioNames names{std::string(scenario), std::string(line)};
  bool file_name = false;
  if (const auto stem = without_ending(scenario, line_ending)) {
    names.scenario = *stem;
    file_name = true;
  } else if (const auto train = without_ending(scenario, train_ending)) {
    // The train file "SCENARIO_LINE-.txt": the LINE given after it tells where the scenario's
    // name ends, or else its last "_".
    const auto with_line = without_ending(*train, "_" + std::string(line));
    const std::size_t cut = train->rfind('_');
    names.scenario = with_line ? *with_line : train->substr(0, cut);
    file_name = with_line || cut != std::string_view::npos;
  } else if (const auto plain = without_ending(scenario, ".txt")) {
    names.scenario = *plain;
    file_name = true;
  }
  if (const auto train = without_ending(line, train_ending)) {
    const std::string prefix = names.scenario + "_";
    names.line = same_but_case(train->substr(0, prefix.size()), prefix)
                     ? train->substr(prefix.size())
                     : *train;
    file_name = true;
  } else if (const auto plain = without_ending(line, ".txt")) {
    names.line = *plain;
    file_name = true;
  }
  if (!file_name || names.scenario.empty() || names.line.empty()) return std::nullopt;
  return names;
}

}  // namespace sb
