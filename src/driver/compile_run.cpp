#include "driver/compile_run.h"

#include <cstdlib>
#include <iostream>
#include <optional>

#include "compiler/error_stop.h"
#include "compiler/memorizza_percorso.h"
#include "compiler/output_set.h"
#include "driver/folder_option.h"
#include "driver/output_names.h"
#include "model/file_names.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/platform_error.h"
#include "platform/printable_text.h"

namespace sb {
namespace {

std::string count(std::int64_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// Why nothing could be compiled: the track needs its header cell 1.
std::string nothing_compiled(const Scenario& s) {
  if (!s.has_track_table()) {
    return "nothing compiled: the reading ended before the route length gave a track; no "
           "binary file was written";
  }
  return "nothing compiled: the route length of " +
         std::to_string(s.station_table[kTrainDataSlot].end_m) +
         " m leaves the track only cell 0, and the compiled track needs its header cell 1 "
         "(a route length above -6975 m); no binary file was written";
}

}  // namespace

DiagnosticStyle diagnostic_style(const Options& o) {
  DiagnosticStyle style;
  style.json = o.json_diagnostics;
  style.warnings = !o.no_warnings;
  switch (o.color) {
    case ColorChoice::kAlways:
      style.color = true;
      break;
    case ColorChoice::kNever:
      style.color = false;
      break;
    case ColorChoice::kAuto:
      style.color = std::getenv("NO_COLOR") == nullptr && standard_error_is_terminal();
      break;
  }
  style.color = style.color && !style.json;
  return style;
}

std::string build_summary(const Scenario& s) {
  const auto& p = s.placed;
  std::string text = "route " + std::to_string(s.station_table[kTrainDataSlot].end_m) + " m, " +
                     count(s.has_track_table() ? s.cell_count + 1 : 0, "cell", "cells");
  text += ", " + count(p.stations, "station", "stations");
  text += ", " + count(p.signals, "signal", "signals");
  text += ", " + count(p.slow_orders, "slow order", "slow orders");
  text += ", " + count(p.curves, "curve", "curves");
  text += ", " + count(p.speed_boards, "speed board", "speed boards");
  text += ", " + count(p.signboards, "signboard", "signboards");
  text += ", " + count(p.stretches, "mountain-side stretch", "mountain-side stretches");
  // Under --warnings-as-errors the warnings are counted with the errors, as the exit status
  // counts them.
  const auto errors = static_cast<std::int64_t>(blocking_diagnostics(s));
  // Every diagnostic found counts, also those past a limit or hidden by --no-warnings.
  const auto warnings =
      static_cast<std::int64_t>(s.diagnostics.faults() + s.diagnostics.warnings()) - errors;
  const auto counted = errors - static_cast<std::int64_t>(s.diagnostics.faults());
  text += "; " + count(errors, "error", "errors");
  if (counted > 0) text += " (" + count(counted, "warning", "warnings") + " among them)";
  text += ", " + count(warnings, "warning", "warnings");
  return text;
}

bool report_build(const Scenario& s, bool compiled, const DiagnosticStyle& style) {
  report_diagnostics(s.diagnostics, style, std::cerr);
  const std::size_t blocking = blocking_diagnostics(s);
  if (style.json) return compiled && blocking == 0;
  if (!compiled) {
    std::cerr << "scenario_builder: " << nothing_compiled(s) << "\n";
    return false;
  }
  if (blocking > 0) {
    const std::size_t faults = s.diagnostics.faults();
    const std::size_t counted = blocking - faults;  // warnings counted as faults
    std::string n = faults > 0 ? count(static_cast<std::int64_t>(faults), "fault", "faults") : "";
    if (counted > 0) {
      n += (n.empty() ? "" : " and ") +
           count(static_cast<std::int64_t>(counted), "warning", "warnings") +
           (counted == 1 ? " counted as a fault" : " counted as faults");
    }
    switch (s.output_policy) {
      case Scenario::OutputPolicy::kAlways:
        std::cerr << "scenario_builder: " << n
                  << " recorded; the binary files were written all the same\n";
        break;
      case Scenario::OutputPolicy::kUnlessFaults:
        std::cerr << "scenario_builder: no file written (" << n
                  << "); --force writes them anyway\n";
        break;
      case Scenario::OutputPolicy::kNever:
        break;
    }
  }
  return blocking == 0;
}

int run_compile(const Options& o) {
  Scenario s;
  set_names(s, o.operands[0], o.operands[1]);
  s.source_folder = o.dir.value_or("");
  s.output_folder = o.out.value_or(s.source_folder);
  s.delete_sources = false;
  const bool check = o.mode == Mode::kCheck;
  s.output_policy = check     ? Scenario::OutputPolicy::kNever
                    : o.force ? Scenario::OutputPolicy::kAlways
                              : Scenario::OutputPolicy::kUnlessFaults;
  s.warnings_are_faults = o.warnings_as_errors && !o.no_warnings;
  s.diagnostics.limits = {o.error_limit, o.warning_limit, !o.no_warnings};
  const DiagnosticStyle style = diagnostic_style(o);
  if (o.dir && !require_folder(*o.dir, "--dir")) return 2;
  if (const auto collision = check ? std::nullopt : colliding_compiled_files(s)) {
    std::cerr << "scenario_builder: " << *collision << "\n";
    return 2;
  }
  try {
    if (!check && o.out && !is_folder(*o.out)) make_folders(*o.out);
    if (!check && !require_folder(s.output_folder.empty() ? "." : s.output_folder, "--out")) {
      return 2;
    }
    // A source file that exists but cannot be read is a platform failure of its own; a
    // missing line file is a fault that the reader reports (`Fault::kNoLineFile`).
    check_readable(line_file_name(s));
    check_readable(train_file_name(s));
    // A build that writes has its output folder to itself; check writes nothing.
    std::optional<FolderLock> lock;
    if (!check) lock.emplace(lock_folder(s.output_folder));
    const std::int32_t j = o.no_geometry ? 0 : 1;
    // Only a file or a link is replaced: a device, a FIFO or a socket in an output's place is
    // refused before the reading starts.
    if (!check) check_replaceable_all(compiled_file_paths(s, j != 0), OutputSet::kNothingChanged);
    const bool compiled = memorizza_percorso(s, j);
    const bool clean = report_build(s, compiled, style);
    if (check || o.verbose) std::cout << build_summary(s) << "\n";
    if (o.verbose && compiled && outputs_wanted(s)) {
      // Quoted as every echoed path is: names may hold spaces or any byte.
      if (j != 0) std::cout << "wrote " << echoed(route_matrix_file_name(s)) << "\n";
      std::cout << "wrote " << echoed(station_file_name(s)) << "\n"
                << "wrote " << echoed(track_file_name(s)) << "\n";
    }
    return clean ? 0 : 1;
  } catch (const ErrorStop& stop) {
    // The faults found so far, and the one that stopped the build, come first; the stop's
    // own message stays as it is.
    const std::string message = stop.what();
    report_diagnostics(s.diagnostics, style, std::cerr, style.json ? &message : nullptr);
    if (!style.json) show_fatal(message);
    return 1;
  } catch (const PlatformError& e) {
    const std::string failure = e.what();
    report_diagnostics(s.diagnostics, style, std::cerr, &failure);
    return 2;
  }
}

}  // namespace sb
