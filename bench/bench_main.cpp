// The benchmark program. Besides the usual Google Benchmark options it takes:
//
//   --peak-memory   compile the long scenario with its route plan once, in a fresh process,
//                   and print the peak resident memory of the process (nothing else runs).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstring>

#include "bench_support.h"
#include "compiler/memorizza_percorso.h"

namespace sb::bench {
namespace {

int peak_memory_run() {
  const ScratchFolder folder;
  write_long_scenario_sources(folder.path());
  Scenario s = long_scenario_in(folder.path());
  const std::int32_t j = 1;
  const bool clean = memorizza_percorso(s, j) && s.diagnostics.items.empty();
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  std::printf("long compile with geometry: peak resident memory %ld KiB (%.1f MiB)%s\n",
              usage.ru_maxrss, static_cast<double>(usage.ru_maxrss) / 1024.0,
              clean ? "" : ", with faults");
  return clean ? 0 : 1;
}

}  // namespace
}  // namespace sb::bench

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--peak-memory") == 0) return sb::bench::peak_memory_run();
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
