#include "compiler/output_files.h"

#include <string>

#include "compiler/route_matrix_file.h"
#include "compiler/station_file.h"
#include "compiler/track_file.h"
#include "model/file_names.h"
#include "platform/files.h"

namespace sb {

void write_output_files(const Scenario& s) {
  // The two tables that can fail to encode are encoded before anything is written; the route
  // matrix cannot fail, and is streamed into its file.
  const std::string stations = encode_station_file(s.station_table);
  const std::string track = encode_track_file(s.track_table);

  if (s.write_geometry != 0) write_route_matrix_file(route_matrix_file_name(s), s.route_matrix);
  write_file(station_file_name(s), stations);
  write_file(track_file_name(s), track);
}

}  // namespace sb
