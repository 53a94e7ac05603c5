// The benchmark program. Besides the usual Google Benchmark options it takes:
//
//   --peak-memory   compile the long scenario with its route plan once, in a fresh process,
//                   and print the peak resident memory of the process (nothing else runs).
//
// After the benchmarks it prints, for each route-plan setting, how many times longer the
// compile of the long scenario takes than the plain write of its output bytes (medians when
// the benchmarks are repeated).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench_support.h"
#include "compiler/memorizza_percorso.h"

namespace sb::bench {
namespace {

int peak_memory_run() {
  const ScratchFolder folder;
  write_long_scenario_sources(folder.path());
  Scenario s = long_scenario_in(folder.path());
  const std::int32_t j = 1;
  const bool clean = memorizza_percorso(s, j) && s.fault_log.faults.empty();
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  std::printf("long compile with geometry: peak resident memory %ld KiB (%.1f MiB)%s\n",
              usage.ru_maxrss, static_cast<double>(usage.ru_maxrss) / 1024.0,
              clean ? "" : ", with faults");
  return clean ? 0 : 1;
}

// Shows the runs as the console reporter does, and keeps each benchmark's real time per
// iteration to print the compile / plain write ratio at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.error_occurred) continue;
      const std::string name = r.run_name.function_name + "/" + r.run_name.args;
      const double seconds =
          r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit);
      if (r.run_type == Run::RT_Aggregate) {
        if (r.aggregate_name == "median") medians_[name] = seconds;
      } else {
        samples_[name].push_back(seconds);
      }
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const char* geometry : {"1", "0"}) {
      const std::string suffix = std::string("/geometry:") + geometry;
      const double compile = time_of("BM_CompileLong" + suffix);
      const double plain = time_of("BM_PlainWrite" + suffix);
      if (compile > 0 && plain > 0) {
        std::printf("compile / plain write, geometry %s: %.2f (%.2f ms / %.2f ms)\n", geometry,
                    compile / plain, compile * 1e3, plain * 1e3);
      }
    }
  }

 private:
  // The median when there is one, else the median of the single runs; 0 when never run.
  double time_of(const std::string& name) {
    if (const auto it = medians_.find(name); it != medians_.end()) return it->second;
    auto it = samples_.find(name);
    if (it == samples_.end() || it->second.empty()) return 0;
    std::vector<double>& v = it->second;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  }

  std::map<std::string, double> medians_;
  std::map<std::string, std::vector<double>> samples_;
};

}  // namespace
}  // namespace sb::bench

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--peak-memory") == 0) return sb::bench::peak_memory_run();
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  sb::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
