#include "compiler/replacement_record.h"

#include "platform/files.h"
#include "platform/platform_error.h"
#include "platform/printable_text.h"

namespace sb {
namespace {

constexpr std::string_view kFirstLine = "scenario_builder replacing compiled files";
constexpr std::string_view kLastLine = "end";

std::string_view next_line(std::string_view& text) {
  const std::size_t end = text.find('\n');
  const std::string_view line = text.substr(0, end);
  text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  return line;
}

// The three names of an output's line, or nothing when the line is not one.
std::optional<PendingReplacement> parse_entry(std::string_view line) {
  const std::size_t first = line.find('\t');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t second = line.find('\t', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  PendingReplacement entry{std::string(line.substr(0, first)),
                           std::string(line.substr(first + 1, second - first - 1)),
                           std::string(line.substr(second + 1))};
  if (entry.temporary.empty() || entry.target.empty()) return std::nullopt;
  for (const std::string* name : {&entry.temporary, &entry.target, &entry.kept}) {
    // Names in the folder only: a record never leads anywhere else.
    if (name->find_first_of("/\\\t") != std::string::npos || *name == "." || *name == "..") {
      return std::nullopt;
    }
  }
  return entry;
}

}  // namespace

std::string replacement_record_text(const std::vector<PendingReplacement>& set) {
  std::string text(kFirstLine);
  text += '\n';
  for (const PendingReplacement& e : set) {
    text += e.temporary + '\t' + e.target + '\t' + e.kept + '\n';
  }
  text += kLastLine;
  text += '\n';
  return text;
}

std::optional<std::vector<PendingReplacement>> parse_replacement_record(std::string_view text) {
  if (next_line(text) != kFirstLine) return std::nullopt;
  std::vector<PendingReplacement> set;
  while (!text.empty()) {
    const std::string_view line = next_line(text);
    if (line == kLastLine) {
      if (!text.empty()) return std::nullopt;
      return set;
    }
    auto entry = parse_entry(line);
    if (!entry) return std::nullopt;
    set.push_back(std::move(*entry));
  }
  return std::nullopt;
}

bool replacement_pending(const std::string& folder) {
  return file_kind(join_path(folder, kReplacementRecordLeaf)) != FileKind::kMissing;
}

std::optional<std::string> complete_interrupted_replacement(const std::string& folder) {
  const std::string record = join_path(folder, kReplacementRecordLeaf);
  if (file_kind(record) == FileKind::kMissing) return std::nullopt;
  const auto set = parse_replacement_record(read_file(record));
  if (!set) {
    // Only a record cut short can be malformed, and it is written whole before the first
    // rename: no output was touched under it.
    delete_file(record);
    return "scenario_builder: removed an incomplete record " + echoed(record) +
           " of a compile that was stopped before it replaced any compiled file";
  }
  std::string names;
  for (std::size_t k = 0; k < set->size(); ++k) {
    const PendingReplacement& e = (*set)[k];
    const std::string temporary = join_path(folder, e.temporary);
    // A temporary file that is gone was renamed into place before the run was stopped.
    if (file_kind(temporary) != FileKind::kMissing) {
      rename_file(temporary, join_path(folder, e.target));
    }
    names += (k == 0 ? "" : k + 1 == set->size() ? " and " : ", ") + echoed(e.target);
  }
  for (const PendingReplacement& e : *set) {
    if (!e.kept.empty()) delete_file(join_path(folder, e.kept));
  }
  delete_file(record);
  return "scenario_builder: a compile was stopped while it replaced its compiled files; the " +
         std::string("replacement is completed now: ") + names + " are all new";
}

}  // namespace sb
