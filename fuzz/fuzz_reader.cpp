// Fuzz target: an author's line file and train file, read and compiled in process.
//
// Input layout: the first byte chooses the route plan (its lowest bit is `j`: 1 builds and
// writes the route plan, 0 does not); the rest is the line file up to the first byte 0x00 and
// the train file after it. Without a 0x00 there is no train file at all.
//
// Every outcome the compiler can report is legitimate: a fault code, a build with nothing to
// compile, the error stop. A crash, a sanitizer report, a hang or output files that do not
// hold the tables they were written from are findings.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "compiler/error_stop.h"
#include "compiler/memorizza_percorso.h"
#include "format/station_file.h"
#include "format/track_file.h"
#include "model/file_names.h"
#include "platform/files.h"

namespace {

// One working folder per process, removed when the process ends normally. The name is kept
// on the heap for the whole process so that the removal at exit can still read it.
const std::string& work_folder();

void remove_work_folder() {
  std::error_code ec;
  std::filesystem::remove_all(work_folder(), ec);
}

const std::string& work_folder() {
  static const std::string* const folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "sb_fuzz_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    auto* name = new std::string(pattern);
    std::atexit(remove_work_folder);
    return name;
  }();
  return *folder;
}

sb::Scenario fresh_scenario() {
  sb::Scenario s;
  sb::set_names(s, "Fuzz", "L1");
  s.source_folder = work_folder();
  s.output_folder = work_folder();
  s.delete_sources = false;
  return s;
}

// The station and track files just written must decode to the tables they came from.
void check_written_files(const sb::Scenario& s) {
  const auto stations = sb::decode_station_file(sb::read_file(sb::station_file_name(s)));
  for (std::size_t k = 0; k < stations.size(); ++k) {
    if (!(stations[k] == s.station_table[k])) std::abort();
  }
  if (sb::decode_track_file(sb::read_file(sb::track_file_name(s))) != s.track_table) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::int32_t j = data[0] & 1;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t cut = rest.find('\0');

  sb::Scenario s = fresh_scenario();
  sb::write_file(sb::line_file_name(s), rest.substr(0, cut));
  if (cut == std::string_view::npos) {
    sb::delete_file(sb::train_file_name(s));
  } else {
    sb::write_file(sb::train_file_name(s), rest.substr(cut + 1));
  }

  try {
    if (sb::memorizza_percorso(s, j)) check_written_files(s);
  } catch (const sb::ErrorStop&) {
    // The stamping found a header field in use: the build stops, which is its sound outcome.
  }
  return 0;
}
