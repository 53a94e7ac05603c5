#include "compiler/output_files.h"

#include <string>

#include "compiler/output_set.h"
#include "compiler/route_matrix_file.h"
#include "compiler/station_file.h"
#include "compiler/track_file.h"
#include "model/file_names.h"
#include "platform/platform_error.h"

namespace sb {

void write_output_files(const Scenario& s) {
  // The two tables that can fail to encode are encoded before any file is started; the route
  // matrix cannot fail, and is streamed into its file.
  const std::string stations = encode_station_file(s.station_table);
  const std::string track = encode_track_file(s.track_table);

  OutputSet outputs;
  try {
    if (s.write_geometry != 0) {
      write_route_matrix_file(outputs.add(route_matrix_file_name(s)), s.route_matrix);
    }
    outputs.add(station_file_name(s)).write(stations);
    outputs.add(track_file_name(s)).write(track);
  } catch (const PlatformError& e) {
    throw e.with_note(OutputSet::kNothingChanged);
  }
  outputs.commit();
}

}  // namespace sb
