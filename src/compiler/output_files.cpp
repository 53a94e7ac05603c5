#include "compiler/output_files.h"

#include <string>

#include "format/route_matrix_file.h"
#include "format/station_file.h"
#include "format/track_file.h"
#include "model/file_names.h"
#include "platform/platform_error.h"

namespace sb {
namespace {

// The station and track files, after whatever the set already holds. The station table,
// which can fail to encode, is encoded before either file is started.
void add_tables(OutputSet& files, const Scenario& s) {
  const std::string stations = encode_station_file(s.station_table);
  files.add(station_file_name(s)).write(stations);
  write_track_file(files.add(track_file_name(s)), s.track_table);
}

}  // namespace

CompiledFiles::CompiledFiles(Scenario& s) : s_(s) {
  if (s.write_geometry == 0) return;
  route_.emplace(files_.add(route_matrix_file_name(s)));
  s.route_matrix.stream_to(&*route_);
}

CompiledFiles::~CompiledFiles() {
  if (route_) s_.route_matrix.detach_sink();
}

void CompiledFiles::write() {
  try {
    if (route_) route_->finish();
    add_tables(files_, s_);
  } catch (const PlatformError& e) {
    throw e.with_note(OutputSet::kNothingChanged);
  }
  files_.commit();
}

void write_output_files(const Scenario& s) {
  OutputSet files;
  try {
    if (s.write_geometry != 0) {
      write_route_matrix_file(files.add(route_matrix_file_name(s)), s.route_matrix);
    }
    add_tables(files, s);
  } catch (const PlatformError& e) {
    throw e.with_note(OutputSet::kNothingChanged);
  }
  files.commit();
}

}  // namespace sb
