#include "driver/command_line.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "compiler/error_stop.h"
#include "driver/builtin_run.h"
#include "driver/compile_run.h"
#include "driver/decompile_run.h"
#include "driver/diagnostics.h"
#include "driver/dump_run.h"
#include "driver/explain_run.h"
#include "driver/folder_option.h"
#include "driver/lsp/lsp_run.h"
#include "driver/options.h"
#include "driver/output_names.h"
#include "driver/plan_run.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/interrupts.h"
#include "platform/platform_error.h"
#include "writers/builtin_sources.h"

namespace sb {
namespace {

constexpr int kSuccess = 0;
constexpr int kFault = 1;
constexpr int kUsageOrPlatform = 2;

int usage_error(const std::string& message) {
  std::cerr << "scenario_builder: " << message << "\n"
            << "Try 'scenario_builder --help' for more information.\n";
  return kUsageOrPlatform;
}

// The folder a mode works in: --dir when given (it must exist), else `fallback`.
bool work_folder(const Options& o, const std::string& fallback, std::string& folder) {
  folder = o.dir.value_or(fallback);
  return !o.dir || require_folder(*o.dir, "--dir");
}

// The built-in run: the faults it found come before a failure of the system, and a folder it
// cannot write in gets a hint.
int run_builtin_mode(const Options& o) {
  std::string folder;
  if (!work_folder(o, program_folder(), folder)) return kUsageOrPlatform;
  Scenario s;
  try {
    // From the first text file written to the last binary file, and the text files the
    // reader deletes in between, the folder is this run's alone.
    const FolderLock lock = lock_folder(folder);
    return report_build(s, run_builtin(s, folder)) ? kSuccess : kFault;
  } catch (const PlatformError& e) {
    std::string failure = e.what();
    if (!o.dir) failure += "; use --dir DIR to run it elsewhere";
    // Shown in one piece: a message box when nobody reads standard error.
    std::ostringstream report;
    report_diagnostics(s.diagnostics, {}, report, &failure);
    std::string text = report.str();
    if (!text.empty() && text.back() == '\n') text.pop_back();
    show_fatal(text);
    return kUsageOrPlatform;
  }
}

int run_mode(const Options& o) {
  switch (o.mode) {
    case Mode::kHelp:
      std::cout << usage_text(o.help_topic);
      return kSuccess;
    case Mode::kVersion:
      std::cout << "scenario_builder " << SB_VERSION << "\n";
      return kSuccess;
    case Mode::kSources: {
      // The author's copy goes where `compile` reads by default: the current folder.
      const std::string folder = o.dir.value_or("");
      if (o.dir && !is_folder(*o.dir)) make_folders(*o.dir);
      const FolderLock lock = lock_folder(folder);
      Scenario s;
      set_builtin_names(s, folder);
      check_replaceable_all(source_file_paths(s));
      write_scenario_sources(s);
      return kSuccess;
    }
    case Mode::kBuiltin:
      return run_builtin_mode(o);
    case Mode::kCompile:
    case Mode::kCheck:
      return run_compile(o);
    case Mode::kDump:
      return run_dump(o);
    case Mode::kPlan:
      return run_plan(o);
    case Mode::kDecompile:
      return run_decompile(o);
    case Mode::kExplain:
      return run_explain(o);
    case Mode::kLsp:
      return run_lsp();
  }
  return usage_error("this mode is not available");
}

// Runs the mode; the error stop and every failure end it with their message and status.
int run_guarded(const Options& o) {
  try {
    return run_mode(o);
  } catch (const ErrorStop& stop) {
    show_fatal(stop.what());
    return kFault;
  } catch (const std::exception& e) {
    // A failure of the system, a compiled file that cannot be decoded, and anything else (a
    // table that cannot be encoded, memory exhausted) end the run with a message rather than
    // an abort.
    show_fatal(std::string("scenario_builder: ") + e.what());
    return kUsageOrPlatform;
  }
}

}  // namespace

int run_command_line(const std::vector<std::string>& args) {
  prepare_process();
  UsageError error;
  const auto options = parse_options(args, error);
  if (!options) return usage_error(error.message);
  const int status = run_guarded(*options);
  close_status();
  return status;
}

}  // namespace sb
