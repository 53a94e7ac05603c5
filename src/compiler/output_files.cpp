#include "compiler/output_files.h"

#include <string>

#include "compiler/route_matrix_file.h"
#include "compiler/station_file.h"
#include "compiler/track_file.h"
#include "model/file_names.h"
#include "platform/files.h"

namespace sb {

void write_output_files(const Scenario& s) {
  const bool with_route = s.write_geometry != 0;
  std::string route;
  if (with_route) route = encode_route_matrix_file(s.route_matrix);
  const std::string stations = encode_station_file(s.station_table);
  const std::string track = encode_track_file(s.track_table);

  if (with_route) write_file(route_matrix_file_name(s), route);
  write_file(station_file_name(s), stations);
  write_file(track_file_name(s), track);
}

}  // namespace sb
