// The record of a set of compiled files being renamed into place, written before the first
// rename and removed after the last, so that a run killed in between leaves enough behind for
// the next run to finish the set.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// One output of the set, by its file name in the output folder.
struct PendingReplacement {
  std::string temporary;  // the complete new file, under its temporary name
  std::string target;     // the output it replaces
  std::string kept;       // a second name of the old output, or "" when there is none
};

// The record's file name in the output folder.
inline constexpr const char* kReplacementRecordLeaf = "scenario_builder.replacing";

// The record's text: a first line that says what it is, one line per output (its three names
// parted by tabs, which no output name holds), and a last line that shows it complete.
std::string replacement_record_text(const std::vector<PendingReplacement>& set);

// The outputs of a record's text, or nothing when the text is not a complete record.
std::optional<std::vector<PendingReplacement>> parse_replacement_record(std::string_view text);

// When the folder (empty: the current one) holds a record, a run was killed while it renamed
// a set of compiled files: the set is completed (every output still waiting for its new file
// gets it), the old files kept aside and the record are removed, and the one-line account of
// it is returned; nothing otherwise. The caller holds the folder's lock exclusively. Throws
// PlatformError when the set cannot be completed.
std::optional<std::string> complete_interrupted_replacement(const std::string& folder);

// Whether the folder holds a record (a reader then takes the lock exclusively to complete it).
bool replacement_pending(const std::string& folder);

}  // namespace sb
