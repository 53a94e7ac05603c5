// The whole-process benchmark: the program as a user runs it, one process per run, against a
// plain write of the same files (plain_write), alternated in one run of this benchmark so that
// both meet the same machine.
//
//   process_bench [--pairs N] [--growth] [--only TEXT] PROGRAM PLAIN_WRITE
//
// For each case it prepares a scratch folder, runs the program once to get its files, then
// runs N pairs (the program and the anchor, in alternating order) and prints one Markdown
// table row: the median CPU time (user + system, from wait4) of the program and of the
// anchor, the median of the per-pair CPU and wall ratios, and the program's median peak
// resident memory. The cases: the long scenario with and without its route plan, the
// built-in run against the plain write of its six lasting files, the decompile of the long
// scenario against its compile (the anchor is then the program's compile), the check of a
// 4 MiB and of a 64 MiB train file of junk lines and the dump of a 64 MiB route matrix file of
// zeros (the program alone). --growth adds the program alone for route lengths of 10 000 to
// 1 000 000 m, and `check --no-geometry` (the reader and compiler, no route plan, nothing
// written) for 1 000 to 1 000 000 entries per file. --only runs the cases whose name holds TEXT.
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "child_run.h"
#include "growth_scenarios.h"
#include "long_scenario.h"

namespace sb::bench {
namespace {

namespace fs = std::filesystem;

class Scratch {
 public:
  Scratch() {
    std::string pattern = (fs::temp_directory_path() / "sb_process_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string sub(const std::string& name) const {
    const std::string p = path_ + "/" + name;
    fs::create_directories(p);
    return p;
  }

 private:
  std::string path_;
};

struct Case {
  std::string name;
  std::vector<std::string> args;  // after the program's path; run in the work folder
  // Writes the sources into the work folder.
  std::function<void(const std::string&)> prepare;
  // The lasting files the run leaves, which the anchor writes; none: the program alone.
  std::vector<std::string> outputs;
  // When not empty, the anchor is the program itself run with these arguments (in the same
  // folder) instead of the plain write, and `outputs` is not used.
  std::vector<std::string> against = {};
};

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void measure(const Case& c, const std::string& program, const std::string& anchor, int pairs) {
  const Scratch scratch;
  const std::string work = scratch.sub("work");
  const std::string expected = scratch.sub("expected");
  const std::string written = scratch.sub("anchor");
  c.prepare(work);
  std::vector<std::string> run{program};
  run.insert(run.end(), c.args.begin(), c.args.end());
  std::vector<std::string> plain{anchor, expected, written};
  std::string anchor_folder = written;
  if (!c.against.empty()) {
    plain = {program};
    plain.insert(plain.end(), c.against.begin(), c.against.end());
    anchor_folder = work;
    run_child(plain, work);  // what the measured run reads
  }
  run_child(run, work);  // the files of an earlier run, as a user's folder holds them
  if (c.against.empty()) {
    for (const std::string& leaf : c.outputs) {
      fs::copy_file(work + "/" + leaf, expected + "/" + leaf);
      fs::copy_file(work + "/" + leaf, written + "/" + leaf);
      plain.push_back(leaf);
    }
  }
  const bool anchored = !c.outputs.empty() || !c.against.empty();
  if (anchored && c.against.empty()) run_child(plain, anchor_folder);

  std::vector<double> cpu, anchor_cpu, cpu_ratio, wall_ratio, rss;
  for (int i = 0; i < pairs; ++i) {
    ChildCost p, a;
    if (anchored && i % 2 == 1) a = run_child(plain, anchor_folder);
    p = run_child(run, work);
    if (anchored && i % 2 == 0) a = run_child(plain, anchor_folder);
    cpu.push_back(p.cpu_ms);
    rss.push_back(static_cast<double>(p.peak_rss_kib) / 1024.0);
    if (anchored) {
      anchor_cpu.push_back(a.cpu_ms);
      cpu_ratio.push_back(p.cpu_ms / std::max(a.cpu_ms, 0.001));
      wall_ratio.push_back(p.wall_ms / std::max(a.wall_ms, 0.001));
    }
  }
  if (anchored) {
    std::printf("| %s | %.1f | %.1f | %.2f | %.2f | %.1f |\n", c.name.c_str(), median(cpu),
                median(anchor_cpu), median(cpu_ratio), median(wall_ratio), median(rss));
  } else {
    std::printf("| %s | %.1f | | | | %.1f |\n", c.name.c_str(), median(cpu), median(rss));
  }
  std::fflush(stdout);
}

const std::string kLong = "Lungo percorso";
const std::string kLongLine = "LINEA L";

std::vector<std::string> compiled(const std::string& scenario, const std::string& line,
                                  bool route) {
  std::vector<std::string> files;
  if (route) files.push_back(scenario + "_linea.dat");
  files.push_back(scenario + "_" + line + ".sim");
  files.push_back(scenario + "_" + line + ".dat");
  return files;
}

// A 6 km line and a train file of `bytes` bytes, nearly all of them junk lines ("x"): every
// line is a warning, of which the report keeps a bounded few.
Case junk_check(const std::string& name, std::size_t bytes) {
  return {name,
          {"check", "J", "L"},
          [bytes](const std::string& folder) {
            std::FILE* line = std::fopen((folder + "/J_linea.txt").c_str(), "wb");
            std::FILE* train = std::fopen((folder + "/J_L-.txt").c_str(), "wb");
            if (line == nullptr || train == nullptr) throw std::runtime_error("cannot write");
            std::fputs("[generale]\r\nlunghezza percorso, 6000\r\n[fine]\r\n", line);
            std::string text = "[generale]\r\nvelocita, 0, 30\r\naderenza, 0, 100\r\n";
            while (text.size() + 3 < bytes) text += "x\r\n";
            std::fwrite(text.data(), 1, text.size(), train);
            std::fclose(line);
            std::fclose(train);
          },
          {}};
}

// `dump` of a route matrix file of `bytes` zero bytes: half as many empty elements, which the
// program holds at a few bits each.
Case zeros_dump(const std::string& name, std::size_t bytes) {
  return {name,
          {"dump", "Z_linea.dat"},
          [bytes](const std::string& folder) {
            std::FILE* route = std::fopen((folder + "/Z_linea.dat").c_str(), "wb");
            if (route == nullptr) throw std::runtime_error("cannot write");
            const std::vector<char> zeros(std::size_t{1} << 20, '\0');
            for (std::size_t done = 0; done < bytes; done += zeros.size()) {
              std::fwrite(zeros.data(), 1, std::min(zeros.size(), bytes - done), route);
            }
            std::fclose(route);
          },
          {}};
}

std::vector<Case> main_cases() {
  const auto long_sources = [](const std::string& folder) {
    write_long_scenario(folder, kLong, kLongLine);
  };
  const std::string b = "Roccalta_ Valfiorita";
  return {
      {"long scenario, with the route plan",
       {"compile", kLong, kLongLine},
       long_sources,
       compiled(kLong, kLongLine, true)},
      {"long scenario, --no-geometry",
       {"compile", "--no-geometry", kLong, kLongLine},
       long_sources,
       compiled(kLong, kLongLine, false)},
      {"built-in run",
       {"--dir", "."},
       [](const std::string&) {},
       {b + "_linea.dat", b + "_LINEA 7.sim", b + "_LINEA 7.dat", b + "_LINEA 7_scheda_treno.txt",
        b + "_LINEA 7_note.txt", b + "_LINEA 7_rallentamenti.txt"}},
      // The anchor is the compile of the same scenario: the figure is decompile / compile.
      // The compile's files are in the folder (run before the first decompile); the
      // decompiled text goes to a folder of its own, replaced at every run.
      {"decompile the long scenario, against its compile",
       {"decompile", "--force", "--out", "decompiled", kLong, kLongLine},
       long_sources,
       {},
       {"compile", kLong, kLongLine}},
      junk_check("check, a 4 MiB train file of junk lines", std::size_t{4} << 20),
      junk_check("check, a 64 MiB train file of junk lines", std::size_t{64} << 20),
      zeros_dump("dump, a 64 MiB route matrix file of zeros", std::size_t{64} << 20),
  };
}

std::vector<Case> growth_cases() {
  std::vector<Case> cases;
  for (const int length : {10000, 100000, 1000000}) {
    cases.push_back({"route of " + std::to_string(length) + " m, with the route plan",
                     {"compile", "G", "L"},
                     [length](const std::string& folder) {
                       write_scenario_text(folder, "G", "L", route_of_length(length));
                     },
                     compiled("G", "L", true)});
  }
  for (const int entries : {1000, 10000, 100000, 1000000}) {
    cases.push_back({"check --no-geometry, " + std::to_string(entries) + " entries per file",
                     {"check", "--no-geometry", "E", "L"},
                     [entries](const std::string& folder) {
                       write_scenario_text(folder, "E", "L", entries_per_file(entries));
                     },
                     {}});
  }
  return cases;
}

}  // namespace
}  // namespace sb::bench

int main(int argc, char** argv) {
  int pairs = 15;
  bool growth = false;
  std::string only;
  std::vector<std::string> programs;
  for (int k = 1; k < argc; ++k) {
    if (std::strcmp(argv[k], "--pairs") == 0 && k + 1 < argc) {
      pairs = std::max(1, std::atoi(argv[++k]));
    } else if (std::strcmp(argv[k], "--only") == 0 && k + 1 < argc) {
      only = argv[++k];
    } else if (std::strcmp(argv[k], "--growth") == 0) {
      growth = true;
    } else {
      programs.push_back(std::filesystem::absolute(argv[k]).string());
    }
  }
  if (programs.size() != 2) {
    std::fprintf(stderr,
                 "usage: process_bench [--pairs N] [--growth] [--only TEXT] PROGRAM PLAIN_WRITE\n");
    return 2;
  }
  try {
    std::printf("%d pairs, alternated; medians\n\n", pairs);
    std::printf(
        "| case | program CPU ms | anchor CPU ms | CPU ratio | wall ratio | peak RSS MiB |\n");
    std::printf("|---|---|---|---|---|---|\n");
    auto cases = sb::bench::main_cases();
    if (growth) {
      for (auto& c : sb::bench::growth_cases()) cases.push_back(std::move(c));
    }
    for (const auto& c : cases) {
      if (c.name.find(only) == std::string::npos) continue;
      sb::bench::measure(c, programs[0], programs[1], pairs);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "process_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
