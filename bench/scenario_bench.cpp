// The benchmarks: the built-in run, the compile of the long scenario with and without the
// route plan, its reader alone, its output writer alone, the plain write of the same bytes
// that the compile is measured against, and the two interleaved.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "compiler/memorizza_percorso.h"
#include "compiler/output_files.h"
#include "compiler/protection.h"
#include "compiler/stamping.h"
#include "driver/builtin_run.h"
#include "model/file_names.h"
#include "model/route_steps.h"
#include "platform/files.h"
#include "reader/memorizza_dati.h"

namespace sb::bench {
namespace {

// The folder that holds the long scenario's text files, written once per process.
const std::string& long_sources() {
  static const ScratchFolder folder;
  static const bool written = (write_long_scenario_sources(folder.path()), true);
  (void)written;
  return folder.path();
}

// The binary files a compile of `s` writes, in the order it writes them.
std::vector<std::string> output_paths(const Scenario& s) {
  std::vector<std::string> paths;
  if (s.write_geometry != 0) paths.push_back(route_matrix_file_name(s));
  paths.push_back(station_file_name(s));
  paths.push_back(track_file_name(s));
  return paths;
}

std::int64_t output_bytes(const Scenario& s) {
  std::int64_t n = 0;
  for (const std::string& path : output_paths(s)) {
    n += static_cast<std::int64_t>(std::filesystem::file_size(path));
  }
  return n;
}

// Compiles the long scenario into `folder`; false (with the benchmark skipped) on a fault.
bool compile_long(benchmark::State& state, Scenario& s) {
  const auto j = static_cast<std::int32_t>(state.range(0));
  if (memorizza_percorso(s, j) && s.diagnostics.items.empty()) return true;
  state.SkipWithError("the long scenario did not compile cleanly");
  return false;
}

void BM_BuiltinRun(benchmark::State& state) {
  const ScratchFolder folder;
  const QuietStderr quiet;
  for (auto _ : state) {
    Scenario s;
    if (!run_builtin(s, folder.path())) {
      state.SkipWithError("the built-in run compiled nothing");
      break;
    }
  }
}
BENCHMARK(BM_BuiltinRun)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_CompileLong(benchmark::State& state) {
  const std::string& folder = long_sources();
  std::int64_t bytes = 0;
  for (auto _ : state) {
    Scenario s = long_scenario_in(folder);
    if (!compile_long(state, s)) break;
    state.PauseTiming();
    if (bytes == 0) bytes = output_bytes(s);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_CompileLong)
    ->ArgName("geometry")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ReadLong(benchmark::State& state) {
  const std::string& folder = long_sources();
  for (auto _ : state) {
    Scenario s = long_scenario_in(folder);
    s.write_geometry = static_cast<std::int32_t>(state.range(0));
    memorizza_dati(s);
    if (s.error_code != 0) {
      state.SkipWithError("the long scenario did not read cleanly");
      break;
    }
  }
}
BENCHMARK(BM_ReadLong)
    ->ArgName("geometry")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The output writer alone, from the tables in memory: the reading keeps the route plan in
// memory when no compile streams it into its file.
void BM_WriteOutputs(benchmark::State& state) {
  Scenario s = long_scenario_in(long_sources());
  s.write_geometry = static_cast<std::int32_t>(state.range(0));
  memorizza_dati(s);
  protect_track(s);
  if (s.error_code != 0 || !stamp(s)) {
    state.SkipWithError("the long scenario did not compile cleanly");
    return;
  }
  write_output_files(s);
  const std::int64_t bytes = output_bytes(s);
  for (auto _ : state) write_output_files(s);
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_WriteOutputs)
    ->ArgName("geometry")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The floor for the compile: the same bytes into the same files of the same folder, one
// buffered write each.
void BM_PlainWrite(benchmark::State& state) {
  Scenario s = long_scenario_in(long_sources());
  if (!compile_long(state, s)) return;
  std::vector<std::pair<std::string, std::string>> files;
  std::int64_t bytes = 0;
  for (const std::string& path : output_paths(s)) {
    files.emplace_back(path, read_file(path));
    bytes += static_cast<std::int64_t>(files.back().second.size());
  }
  for (auto _ : state) {
    for (const auto& [path, content] : files) write_plainly(path, content);
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_PlainWrite)
    ->ArgName("geometry")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The compile and the plain write of its output, one after the other in every iteration, so
// that both meet the same state of the disk: the iteration time is the compile's, and the
// counter "compile_to_plain" the ratio of the two totals.
void BM_CompileToPlainWrite(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  Scenario first = long_scenario_in(long_sources());
  if (!compile_long(state, first)) return;
  std::vector<std::pair<std::string, std::string>> files;
  for (const std::string& path : output_paths(first)) files.emplace_back(path, read_file(path));
  double compile_seconds = 0;
  double plain_seconds = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    Scenario s = long_scenario_in(long_sources());
    if (!compile_long(state, s)) break;
    const auto t1 = Clock::now();
    for (const auto& [path, content] : files) write_plainly(path, content);
    const auto t2 = Clock::now();
    const double compile = std::chrono::duration<double>(t1 - t0).count();
    compile_seconds += compile;
    plain_seconds += std::chrono::duration<double>(t2 - t1).count();
    state.SetIterationTime(compile);
  }
  if (plain_seconds > 0) {
    state.counters["plain_write_ms"] =
        benchmark::Counter(plain_seconds * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["compile_to_plain"] = compile_seconds / plain_seconds;
  }
}
BENCHMARK(BM_CompileToPlainWrite)
    ->ArgName("geometry")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

// The runs of steps of a reading of the route plan, recorded: where each starts, how many
// steps, and how it turns. Its points are computed (the next run starts from them) and
// dropped.
class StepRecorder final : public RouteSink {
 public:
  struct Run {
    std::int64_t n;
    double c;
    bool curved;
  };
  std::vector<Run> runs;

  void begin(std::int32_t) override { runs.clear(); }
  void int16_point(std::int32_t, std::int16_t, std::int16_t) override {}
  void steps(std::int32_t first, std::int32_t last, RouteTail& tail, double c,
             bool curved) override {
    runs.push_back({std::int64_t{last} - first + 1, c, curved});
    route_steps(tail, runs.back().n, c, curved, [](double, double) {});
  }
};

// The route plan's arithmetic alone: the long scenario's steps (its curves and straights),
// each computed from the two points before it as the reading computes them, with nothing
// done with the points. Each step waits for the one before, so this is the floor under any
// compile with the route plan.
void BM_RouteStepsAlone(benchmark::State& state) {
  StepRecorder recorder;
  Scenario s = long_scenario_in(long_sources());
  s.write_geometry = 1;
  s.route_matrix.stream_to(&recorder);
  memorizza_dati(s);
  s.route_matrix.detach_sink();
  std::int64_t steps = 0;
  for (const auto& run : recorder.runs) steps += run.n;
  for (auto _ : state) {
    RouteTail tail{0.0, 0.0, 0.0, 1.0};
    for (const auto& run : recorder.runs) {
      route_steps(tail, run.n, run.c, run.curved, [](double, double) {});
    }
    benchmark::DoNotOptimize(tail);
  }
  state.counters["steps"] = static_cast<double>(steps);
}
BENCHMARK(BM_RouteStepsAlone)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sb::bench
