#include "reader/source_hints.h"

#include <cstddef>
#include <string_view>
#include <vector>

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

// "\"A\", \"B\" and 3 more": at most five names, quoted as messages quote fields.
std::string listed(const std::vector<std::string>& names) {
  constexpr std::size_t kShown = 5;
  std::string text;
  for (std::size_t i = 0; i < names.size() && i < kShown; ++i) {
    text += (i > 0 ? ", " : "") + quoted(names[i]);
  }
  if (names.size() > kShown) text += " and " + std::to_string(names.size() - kShown) + " more";
  return text;
}

// What `make` says, or nothing when the system cannot tell (a folder or file it may not see).
template <typename Make>
std::string unless_unlisted(Make&& make) {
  try {
    return make();
  } catch (const PlatformError&) {
    return "";
  }
}

}  // namespace

std::string missing_line_file_note(const Scenario& s) {
  return unless_unlisted([&] {
    const std::string suffix = line_file_leaf("");
    const auto found = names_between(s, "", suffix, s.scenario_name);
    if (found.empty()) {
      return "the folder holds no line file (a file whose name ends in " + quoted(suffix) +
             "); give the scenario's folder with --dir";
    }
    return "the folder holds the line files of the scenario" +
           std::string(found.size() > 1 ? "s " : " ") + listed(found);
  });
}

std::string missing_train_file_note(const Scenario& s, const std::string& path) {
  return unless_unlisted([&] {
    if (file_kind(path) != FileKind::kMissing) return std::string();
    // The train file's name with an empty line name, cut where the line name goes.
    const std::string prefix = s.scenario_name + "_";
    const std::string suffix = train_file_leaf(s.scenario_name, "").substr(prefix.size());
    const auto found = names_between(s, prefix, suffix, s.line_name);
    if (found.empty()) {
      return "the folder holds no train file of the scenario " + quoted(s.scenario_name);
    }
    return "the folder holds train files of the scenario " + quoted(s.scenario_name) +
           " for the line" + std::string(found.size() > 1 ? "s " : " ") + listed(found);
  });
}

}  // namespace sb
