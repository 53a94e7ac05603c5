#include "driver/decompile.h"

#include <bit>
#include <cstdio>
#include <unordered_map>

#include "compiler/error_stop.h"
#include "compiler/protection.h"
#include "compiler/stamping.h"
#include "driver/decompile_tables.h"
#include "driver/decompile_warnings.h"
#include "format/record_layout.h"
#include "model/cell_geometry.h"
#include "model/file_names.h"
#include "reader/memorizza_dati.h"
#include "viewer/decompile_text.h"

namespace sb {
namespace {

// More places than this are summed up in one last warning.
constexpr std::size_t kMostWarnings = 12;
// The compiles that find which protection-point values stood in the author's entries.
constexpr int kMostRounds = 6;

std::string slot_name(std::size_t slot) {
  return "slot " + std::to_string(slot);
}

std::string cell_name(std::size_t n) {
  return "cell " + std::to_string(n) + " (" + cell_range(static_cast<std::int64_t>(n)) + ")";
}

template <typename Record, typename Layout>
void compare_records(const std::vector<Record>& stored, const std::vector<Record>& built,
                     const Layout& layout, const char* file, std::string (*record)(std::size_t),
                     std::vector<std::string>& out, std::size_t& more, std::size_t limit) {
  const std::size_t n = std::min(stored.size(), built.size());
  for (std::size_t k = 0; k < n; ++k) {
    if (stored[k] == built[k]) continue;
    for (const auto& field : layout) {
      std::string a, b;
      if (field.is_text()) {
        if (field.text_of(stored[k]) == field.text_of(built[k])) continue;
        a = "\"" + field.text_of(stored[k]) + "\"";
        b = "\"" + field.text_of(built[k]) + "\"";
      } else {
        if (field.number(stored[k]) == field.number(built[k])) continue;
        a = std::to_string(field.number(stored[k]));
        b = std::to_string(field.number(built[k]));
      }
      if (out.size() >= limit) {
        ++more;
        continue;
      }
      out.push_back(std::string(file) + ", " + record(k) + ", field " + std::string(field.name) +
                    ": " + a + " in the file, " + b + " compiled again");
    }
  }
  if (stored.size() != built.size() && out.size() < limit) {
    out.push_back(std::string(file) + ": " + std::to_string(stored.size()) +
                  " records in the file, " + std::to_string(built.size()) + " compiled again");
  } else if (stored.size() != built.size()) {
    ++more;
  }
}

std::string element_text(const RouteMatrix& m, std::int32_t metre, int c) {
  switch (m.tag(metre, c)) {
    case ElementTag::kEmpty:
      return "empty";
    case ElementTag::kInt16:
      return "the integer " + std::to_string(static_cast<int>(m.number(metre, c)));
    case ElementTag::kFloat64:
      break;
  }
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", m.number(metre, c));
  return text;
}

std::optional<std::string> route_difference(const RouteMatrix& stored, const RouteMatrix& built) {
  const char* file = "the route matrix file";
  if (stored.upper() != built.upper()) {
    return std::string(file) + ": metres 0 to " + std::to_string(stored.upper()) +
           " in the file, 0 to " + std::to_string(built.upper()) + " compiled again";
  }
  if (stored == built) return std::nullopt;  // one pass over the packed arrays
  for (std::int32_t k = 0; k <= stored.upper(); ++k) {
    for (int c = 0; c < 2; ++c) {
      const bool same = stored.tag(k, c) == built.tag(k, c) &&
                        std::bit_cast<std::uint64_t>(stored.number(k, c)) ==
                            std::bit_cast<std::uint64_t>(built.number(k, c));
      if (same) continue;
      return std::string(file) + ", metre " + std::to_string(k) + ", coordinate " +
             std::to_string(c) + ": " + element_text(stored, k, c) + " in the file, " +
             element_text(built, k, c) + " compiled again";
    }
  }
  return std::nullopt;
}

std::vector<StationRecord> station_list(const Scenario& s) {
  return {s.station_table.begin(), s.station_table.end()};
}

// Every place where `built` differs from the compiled track and station tables.
std::vector<std::string> table_differences(const CompiledTables& tables, const Scenario& built,
                                           std::size_t limit) {
  std::vector<std::string> out;
  std::size_t more = 0;
  compare_records(tables.stations, station_list(built), kStationRecordLayout, "the station file",
                  slot_name, out, more, limit);
  compare_records(tables.track, built.track_table, kTrackCellLayout, "the track file", cell_name,
                  out, more, limit);
  if (more > 0) out.push_back("and " + std::to_string(more) + " more differences");
  return out;
}

}  // namespace

MemoryBuild compile_in_memory(const std::string& scenario, const std::string& line,
                              const std::string& line_text, const std::string& train_text,
                              bool geometry) {
  MemoryBuild b;
  b.scenario = std::make_unique<Scenario>();
  Scenario& s = *b.scenario;
  set_names(s, scenario, line);
  s.delete_sources = false;
  s.output_policy = Scenario::OutputPolicy::kNever;
  s.source_texts = {{line_file_name(s), line_text}, {train_file_name(s), train_text}};
  s.write_geometry = geometry ? 1 : 0;
  memorizza_dati(s);
  s.source_texts.clear();
  if (s.has_cell(1)) {
    protect_track(s);
    try {
      stamp(s);
    } catch (const ErrorStop& stop) {
      b.stopped = stop.what();
    }
  }
  return b;
}

std::optional<std::string> first_difference(const CompiledTables& tables, const Scenario& built) {
  if (tables.route) {
    if (const auto d = route_difference(*tables.route, built.route_matrix)) return d;
  }
  const std::vector<std::string> d = table_differences(tables, built, 1);
  if (d.empty()) return std::nullopt;
  return d.front();
}

DecompiledFiles decompile(const CompiledTables& tables, const std::string& scenario,
                          const std::string& line) {
  DecompiledFiles out;
  AuthorPoints author_points;
  DecompiledEntries entries;
  MemoryBuild build;
  // The protection pass adds points of one value; a point of that value in the files stands
  // for an author's entry where compiling the entries without it does not add it again.
  for (int round = 0; round < kMostRounds; ++round) {
    entries = recover_entries(tables.track, tables.stations, author_points);
    build = compile_in_memory(scenario, line, decompiled_line_file(entries),
                              decompiled_train_file(entries), false);
    bool added = false;
    const std::vector<TrackCell>& again = build.scenario->track_table;
    for (std::size_t n = 2; n < tables.track.size(); ++n) {
      const TrackCell& c = tables.track[n];
      if (c.kind != kAbbattimento || c.value1 != kGeneratedPointValue) continue;
      if (author_points.contains(n)) continue;
      const bool made = n < again.size() && again[n].kind == kAbbattimento &&
                        again[n].value1 == kGeneratedPointValue;
      if (!made) {
        author_points.insert(n);
        added = true;
      }
    }
    if (!added) break;
  }
  if (tables.curves || tables.route) {
    RecoveredCurves curves = tables.curves ? *tables.curves : recover_curves(*tables.route);
    entries.line.curves = std::move(curves.curves);
    entries.has_route = true;
    if (curves.unexplained > 0) {
      std::string metres;
      for (std::int64_t m : curves.unexplained_metres) {
        metres += (metres.empty() ? "" : ", ") + std::to_string(m);
      }
      out.warnings.push_back(named_warning(
          "the route matrix file has " + std::to_string(curves.unexplained) +
              " points that no curve entry makes (metre " + metres +
              (curves.unexplained > static_cast<std::int64_t>(curves.unexplained_metres.size())
                   ? ", ..."
                   : "") +
              "): the curves written make other points there",
          kUnexplainedRoutePoints));
    }
  } else {
    out.warnings.push_back(named_warning(
        "there is no route matrix file (a build without the route plan): the curves are "
        "unknown and none are written; the files compile to the same bytes with "
        "--no-geometry",
        kNoRouteMatrix));
  }
  out.line_file = decompiled_line_file(entries);
  out.train_file = decompiled_train_file(entries);
  if (!build.stopped.empty()) {
    out.warnings.push_back(named_warning(
        "compiling the decompiled files ends in the error stop \"" + build.stopped + "\"",
        kRecoveredErrorStop));
  }
  for (const Diagnostic& d : build.scenario->diagnostics.items) {
    if (d.severity != Severity::kError) continue;
    out.warnings.push_back(named_warning(
        "compiling the decompiled files reports fault " + std::to_string(d.code) + ": " + d.message,
        kRecoveredFault));
  }
  for (std::string& d : table_differences(tables, *build.scenario, kMostWarnings)) {
    out.warnings.push_back(named_warning(std::move(d), kRoundTripDifference));
  }
  return out;
}

}  // namespace sb
