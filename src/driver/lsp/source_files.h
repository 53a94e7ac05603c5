// The editor's documents as the scenario's files: a document's URI and its path, and what the
// file name says it is. A line file is "SCENARIO_linea.txt"; a train file is
// "SCENARIO_LINE-.txt". The language the editor gives a document is not consulted.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace sb {

// The path of a "file:" URI, percent-escapes decoded ("file:///C:/x" gives "C:/x"); nothing
// for any other URI.
std::optional<std::string> path_of_uri(std::string_view uri);
// The "file:" URI of a path, every byte but letters, digits and "-._~/" percent-escaped.
std::string uri_of_path(std::string_view path);

enum class SourceKind { kLine, kTrain, kOther };

// What a file name says about a source file: its kind, its folder (empty, or ending in "/") and
// the scenario and line names it holds. A train file whose scenario name could end at more than
// one "_" is split at the first, unless `line_file_known` says that the line file of a longer
// scenario name is known (open or on disk).
struct SourceName {
  SourceKind kind = SourceKind::kOther;
  std::string folder;
  std::string scenario;
  std::string line;
};
SourceName source_name(std::string_view path,
                       const std::function<bool(const std::string&)>& line_file_known = {});

}  // namespace sb
