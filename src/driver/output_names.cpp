#include "driver/output_names.h"

#include <algorithm>
#include <cctype>

#include "model/file_names.h"
#include "platform/files.h"
#include "platform/platform_error.h"
#include "platform/printable_text.h"

namespace sb {
namespace {

std::string folded(const std::string& name) {
  std::string out = name;
  std::transform(out.begin(), out.end(), out.begin(), [](char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  });
  return out;
}

}  // namespace

std::vector<std::string> source_file_paths(const Scenario& s) {
  return {line_file_name(s), train_file_name(s), notes_file_name(s), slow_order_file_name(s),
          train_card_name(s)};
}

std::vector<std::string> compiled_file_paths(const Scenario& s, bool geometry) {
  std::vector<std::string> paths;
  if (geometry) paths.push_back(route_matrix_file_name(s));
  paths.push_back(station_file_name(s));
  paths.push_back(track_file_name(s));
  return paths;
}

void check_replaceable_all(const std::vector<std::string>& paths, const std::string& note) {
  for (const std::string& path : paths) {
    // A folder in the way is said when its file is written, after what the reading found.
    if (is_folder(path)) continue;
    try {
      check_replaceable(path);
    } catch (const PlatformError& e) {
      if (note.empty()) throw;
      throw e.with_note(note);
    }
  }
}

std::optional<std::string> colliding_compiled_files(const Scenario& s) {
  struct Named {
    const char* role;
    std::string leaf;
  };
  // Only the line name can make two of them meet: a track file "SCENARIO_linea.dat".
  const Named files[] = {
      {"the route matrix file", route_matrix_file_leaf(s.scenario_name)},
      {"the station file", station_file_leaf(s.scenario_name, s.line_name)},
      {"the track file", track_file_leaf(s.scenario_name, s.line_name)},
  };
  for (std::size_t a = 0; a < std::size(files); ++a) {
    for (std::size_t b = a + 1; b < std::size(files); ++b) {
      if (folded(files[a].leaf) != folded(files[b].leaf)) continue;
      return std::string(files[a].role) + " " + echoed(files[a].leaf) + " and " + files[b].role +
             " " + echoed(files[b].leaf) +
             " would be one file: file names are compared without case on Windows, where the "
             "compiled files go; choose another LINE name";
    }
  }
  return std::nullopt;
}

}  // namespace sb
