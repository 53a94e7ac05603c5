#include "reader/source_hints.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "model/file_name_slips.h"
#include "model/file_names.h"
#include "model/quoting.h"
#include "platform/files.h"
#include "platform/folder_listing.h"
#include "platform/platform_error.h"

namespace sb {
namespace {

// The middle of every file name in the source folder that starts with `prefix` and ends with
// `suffix`, other than `looked_for`.
std::vector<std::string> names_between(const Scenario& s, std::string_view prefix,
                                       std::string_view suffix, std::string_view looked_for) {
  std::vector<std::string> found;
  for (const std::string& leaf : ordinary_files_in(s.source_folder)) {
    if (leaf.size() <= prefix.size() + suffix.size() || !leaf.starts_with(prefix) ||
        !leaf.ends_with(suffix)) {
      continue;
    }
    std::string middle = leaf.substr(prefix.size(), leaf.size() - prefix.size() - suffix.size());
    if (middle != looked_for) found.push_back(std::move(middle));
  }
  return found;
}

// "\"A\", \"B\" and 3 more": at most five names (parts of file names, UTF-8), quoted as
// messages quote fields.
std::string listed(const std::vector<std::string>& names) {
  constexpr std::size_t kShown = 5;
  std::string text;
  for (std::size_t i = 0; i < names.size() && i < kShown; ++i) {
    text += (i > 0 ? ", " : "") + quoted_utf8(names[i]);
  }
  if (names.size() > kShown) text += " and " + std::to_string(names.size() - kShown) + " more";
  return text;
}

// What `make` says, or nothing when the system cannot tell (a folder or file it may not see).
template <typename Make>
std::vector<std::string> unless_unlisted(Make&& make) {
  try {
    return make();
  } catch (const PlatformError&) {
    return {};
  }
}

// "did you mean ...?" for each file whose name is near the one looked for, saying why the
// program did not take it.
std::vector<std::string> near_name_notes(const Scenario& s, const std::string& looked_for) {
  std::vector<std::string> notes;
  for (const NearName& near : near_names(looked_for, ordinary_files_in(s.source_folder))) {
    std::string note = "did you mean " + quoted_utf8(near.leaf, 0) + "? ";
    if (!near.in_dashes && !near.in_blanks) {
      note += "the simulator's Windows would find it, this program looks for the exact name";
    } else {
      std::vector<std::string> how;
      if (near.in_dashes) how.push_back("its \"-\"");
      if (near.in_blanks) how.push_back("blanks");
      if (near.in_case) how.push_back("case");
      note += "it differs from " + quoted_utf8(looked_for, 0) + " in ";
      for (std::size_t k = 0; k < how.size(); ++k) {
        note += (k == 0 ? "" : k + 1 == how.size() ? " and " : ", ") + how[k];
      }
      note += ": rename it, the simulator would not find it either";
    }
    notes.push_back(std::move(note));
  }
  return notes;
}

// For names typed as file names: which names to give instead.
std::optional<std::string> file_names_given_note(const Scenario& s, bool line_only) {
  const auto names = names_from_file_names(s.scenario_name, s.line_name);
  if (!names || (line_only && names->line == s.line_name)) return std::nullopt;
  return "SCENARIO and LINE are names, not file names: give " + quoted_utf8(names->scenario, 0) +
         " and " + quoted_utf8(names->line, 0) + " to read " +
         quoted_utf8(line_file_leaf(names->scenario), 0) + " and " +
         quoted_utf8(train_file_leaf(names->scenario, names->line), 0);
}

}  // namespace

std::vector<std::string> missing_line_file_notes(const Scenario& s) {
  return unless_unlisted([&] {
    if (auto note = file_names_given_note(s, false)) return std::vector<std::string>{*note};
    auto notes = near_name_notes(s, line_file_leaf(s.scenario_name));
    if (!notes.empty()) return notes;
    const std::string suffix = line_file_leaf("");
    const auto found = names_between(s, "", suffix, s.scenario_name);
    if (found.empty()) {
      notes.push_back("the folder holds no line file (a file whose name ends in " + quoted(suffix) +
                      "); give the scenario's folder with --dir");
    } else {
      notes.push_back("the folder holds the line files of the scenario" +
                      std::string(found.size() > 1 ? "s " : " ") + listed(found));
    }
    return notes;
  });
}

std::vector<std::string> missing_train_file_notes(const Scenario& s, const std::string& path) {
  return unless_unlisted([&] {
    std::vector<std::string> notes;
    if (file_kind(path) != FileKind::kMissing) return notes;
    if (auto note = file_names_given_note(s, true)) return std::vector<std::string>{*note};
    notes = near_name_notes(s, train_file_leaf(s.scenario_name, s.line_name));
    if (!notes.empty()) return notes;
    // The train file's name with an empty line name, cut where the line name goes.
    const std::string prefix = s.scenario_name + "_";
    const std::string suffix = train_file_leaf(s.scenario_name, "").substr(prefix.size());
    const auto found = names_between(s, prefix, suffix, s.line_name);
    if (found.empty()) {
      notes.push_back("the folder holds no train file of the scenario " +
                      quoted_utf8(s.scenario_name));
    } else {
      notes.push_back("the folder holds train files of the scenario " +
                      quoted_utf8(s.scenario_name) + " for the line" +
                      std::string(found.size() > 1 ? "s " : " ") + listed(found));
    }
    return notes;
  });
}

}  // namespace sb
