// Writing the compiled scenario: the route matrix file (only when `write_geometry` is
// non-zero), the station file and the track file, into the output folder.
#pragma once

#include <optional>

#include "compiler/output_set.h"
#include "format/route_matrix_stream.h"
#include "model/scenario.h"

namespace sb {

// The compiled files of one build, from before the reading to their replacement. With
// `write_geometry` the route matrix file is started at once and the route plan streams its
// points into it while the reader computes them (the plan is never held in memory); the
// station and track files follow once the tables are complete. The three files are replaced
// together (see OutputSet); files that are never written leave the old ones as they were.
class CompiledFiles {
 public:
  // Starts the files of `s` and points `s.route_matrix` at the route matrix file.
  explicit CompiledFiles(Scenario& s);
  // Detaches the route plan; the files are abandoned unless write() succeeded.
  ~CompiledFiles();
  CompiledFiles(const CompiledFiles&) = delete;
  CompiledFiles& operator=(const CompiledFiles&) = delete;

  // Completes the route matrix file, writes the station and track files and puts all of
  // them in place. Throws PlatformError naming the file that failed (with the note that no
  // compiled file was changed, or which ones were), and std::length_error for a table that
  // cannot be encoded (nothing changed).
  void write();

 private:
  Scenario& s_;
  OutputSet files_;
  std::optional<RouteMatrixStream> route_;
};

// Writes the compiled files of `s` from tables in memory, route plan included, replacing them
// together as CompiledFiles does. Throws as CompiledFiles::write().
void write_output_files(const Scenario& s);

}  // namespace sb
