// Decompiling compiled files and compiling the result again gives the same bytes: the built-in
// scenario, the author's fixture and every scenario in the fixtures' folders, the clean
// examples of the manual, the README and `explain`, random scenarios that place every kind of
// entry, and the 1 000 000 m scenario.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>
#include <string>

#include "../bench/long_scenario.h"
#include "author_fixture.h"
#include "driver/decompile.h"
#include "driver/explanations.h"
#include "format/route_matrix_file.h"
#include "format/station_file.h"
#include "format/track_file.h"
#include "manual_examples.h"
#include "test_support.h"
#include "writers/builtin_sources.h"

namespace sb::test {
namespace {

std::string joined(std::span<const std::string_view> lines) {
  std::string text;
  for (std::string_view l : lines) text += std::string(l) + "\r\n";
  return text;
}

CompiledTables tables_of(const Scenario& s, bool geometry) {
  CompiledTables t;
  t.track = s.track_table;
  t.stations.assign(s.station_table.begin(), s.station_table.end());
  if (geometry) t.route = s.route_matrix;
  return t;
}

// Compiles the texts, decompiles the tables and compiles the result: the files' bytes agree,
// and no warning is given but the one for a build without route plan.
void expect_round_trip(const std::string& line_text, const std::string& train_text, bool geometry,
                       const std::string& name = "S", const std::string& line = "L") {
  const MemoryBuild first = compile_in_memory(name, line, line_text, train_text, geometry);
  ASSERT_TRUE(first.stopped.empty()) << first.stopped;
  ASSERT_EQ(first.scenario->diagnostics.faults(), 0u) << line_text << train_text;
  const CompiledTables t = tables_of(*first.scenario, geometry);
  const DecompiledFiles d = decompile(t, name, line);
  EXPECT_EQ(d.warnings.size(), geometry ? 0u : 1u)
      << (d.warnings.empty() ? "" : d.warnings.front()) << "\n"
      << d.line_file << d.train_file;
  const MemoryBuild again = compile_in_memory(name, line, d.line_file, d.train_file, geometry);
  ASSERT_TRUE(again.stopped.empty()) << again.stopped;
  const Scenario& a = *first.scenario;
  const Scenario& b = *again.scenario;
  const std::string context = first_difference(t, b).value_or("") + "\n" + line_text + train_text +
                              "--- decompiled:\n" + d.line_file + d.train_file;
  EXPECT_TRUE(encode_station_file(a.station_table) == encode_station_file(b.station_table))
      << context;
  EXPECT_TRUE(encode_track_file(a.track_table) == encode_track_file(b.track_table)) << context;
  if (geometry) {
    EXPECT_TRUE(encode_route_matrix_file(a.route_matrix) ==
                encode_route_matrix_file(b.route_matrix))
        << context;
  }
}

TEST(DecompileRoundTrip, BuiltInScenarioWithAndWithoutRoutePlan) {
  for (bool geometry : {true, false}) {
    expect_round_trip(joined(builtin_line_file_lines()), joined(builtin_train_file_lines()),
                      geometry, "Roccalta_ Valfiorita", "LINEA 7");
  }
}

TEST(DecompileRoundTrip, AuthorFixture) {
  const std::string folder = std::string(SB_FIXTURES) + "/author/";
  expect_round_trip(read_bytes(folder + "Collina_linea.txt"),
                    read_bytes(folder + "Collina_L2-.txt"), true, kAuthorScenario, kAuthorLine);
}

// A random valid scenario: the route cut into 4000 m blocks, each holding one kind of object
// (a station, with or without a signal close after its stop, a slow order with its protection
// points, perhaps a signal before its warning board and an author's point in a protection
// cell, speed boards, signboards, "abbattimento" points), curves of every class and side,
// adjacent and overlapping, gradients, mountain-side stretches near and far apart, and the
// speed and adhesion lists.
struct RandomScenario {
  std::string line_file, train_file;
};

RandomScenario random_scenario(unsigned seed) {
  std::mt19937 rng(seed);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const int blocks = pick(2, 8);
  const int length = blocks * 4000 + pick(0, 20) * 50;
  std::string l = "[generale]\r\nlunghezza percorso, " + std::to_string(length) + "\r\n";
  const char* words[] = {"uno", "due", "tre"};
  for (const char* w : words) {
    l += std::string("progressiva chilometrica ") + w + ", " + std::to_string(pick(0, 40) * 50) +
         ", " + std::to_string(pick(0, 40) * 50) + ", " + std::to_string(pick(0, 1)) + "\r\n";
  }
  for (const char* w : words)
    l += std::string("sfondo ") + w + ", " + std::to_string(pick(0, 5)) + "\r\n";
  const int b = pick(0, 1) * pick(1, 20) * 50;
  l += std::string("ripetizione segnali ") + (pick(0, 1) ? "4" : "9") + " codici, " +
       std::to_string(pick(0, 20) * 50) + ", " + std::to_string(b) + "\r\n[curve]\r\n";
  int at = pick(1, 40) * 25;
  while (at < length - 1500) {
    const int n = pick(20, 600);
    l += std::string("curva") + (pick(0, 1) ? "s" : "d") + std::to_string(pick(1, 6)) + ", " +
         std::to_string(at) + ", " + std::to_string(n) + "\r\n";
    const int gap = pick(0, 3);
    at += n + (gap == 0 ? 0 : gap == 1 ? -pick(1, 10) : pick(1, 1500));
  }
  l += "[pendenze]\r\n";
  for (int p = 0; p < length; p += pick(1, 80) * 50) {
    l += "pendenza, " + std::to_string(p + pick(0, 1) * 10) + ", " + std::to_string(pick(-40, 40)) +
         "\r\n";
  }
  l += "[montagne]\r\n";
  for (int p = pick(0, 20) * 50; p < length - 1000; p += pick(1, 30) * 50) {
    const int end = p + pick(2, 40) * 50;
    const int types[] = {1, 2, 3, 4, 5, 11, 12, 14};
    l += "montagna, " + std::to_string(p) + ", " + std::to_string(end) + ", " +
         std::to_string(types[pick(0, 7)]) + "\r\n";
    p = end;
  }
  std::string boards = "[cartelli]\r\n", signboards = "[indicazioni]\r\n";
  std::string t = "[generale]\r\nnumero vetture, " + std::to_string(pick(1, 9)) +
                  "\r\npercentuale massa frenata, " + std::to_string(pick(50, 150)) +
                  "\r\nsabbia, " + std::to_string(pick(0, 3)) + "\r\norologio, " +
                  std::to_string(pick(0, 23)) + ", " + std::to_string(pick(0, 59)) + ", " +
                  std::to_string(pick(0, 59)) + "\r\n[aderenze]\r\n";
  for (int p = 0; p < length; p += pick(1, 100) * 50) {
    t += "aderenza, " + std::to_string(p) + ", " + std::to_string(pick(40, 100)) + "\r\n";
  }
  t += "[vel_limite]\r\n";
  for (int p = 0; p < length; p += pick(1, 100) * 50) {
    t += "velocita, " + std::to_string(p) + ", " + std::to_string(pick(6, 24) * 5) + "\r\n";
  }
  std::string stations = "[stazioni]\r\n", signals = "[segnali]\r\n", slow = "[rallentamenti]\r\n",
              points = "[codici]\r\n";
  int station_count = 0;
  auto signal = [&](int p) {
    const int sx = pick(0, 2);
    signals += "segnale, " + std::to_string(p) + ", " + std::to_string(sx) + ", " +
               std::to_string(pick(0, 9)) + ", " + std::to_string(pick(0, 9)) + ", " +
               std::to_string(pick(0, 9)) + ", " + std::to_string(pick(0, 3)) + ", " +
               std::to_string(pick(0, 2)) + ", " + std::to_string(pick(0, 9)) + ", " +
               std::to_string(pick(0, 9)) + ", " + std::to_string(pick(0, 9)) + ", " +
               std::to_string(pick(0, 1) * pick(0, 200)) + "\r\n";
  };
  for (int k = 0; k < blocks; ++k) {
    const int base = k * 4000;
    switch (pick(0, 5)) {
      case 0: {
        const int kinds[] = {22, 26, 28, 7, 5, 30};
        const int kind = kinds[pick(0, 5)];
        const int p = base + 2000;
        const int platform = pick(2, 6) * 100;
        stations += "stazione, " + std::to_string(p) + ", " + std::to_string(kind) + ", " +
                    std::to_string(platform);
        for (int v = 0; v < 10; ++v) stations += ", " + std::to_string(pick(0, 5));
        stations += ", " + std::to_string(pick(0, 23)) + ", " + std::to_string(pick(0, 59)) + ", " +
                    std::to_string(pick(0, 59)) + ", STAZIONE " + std::to_string(k) + "\r\n";
        ++station_count;
        if (kind != 30 && kind != 5 && kind != 7 && pick(0, 1)) {
          // Its approach marks and the signal's meet in the same cells.
          const int end = p + platform / 2;
          signal(end + 100);
        }
        break;
      }
      case 1: {
        const int x = base + 2000 + pick(0, 6) * 50;
        const int v = pick(0, 3) == 0 ? 120 : pick(6, 12) * 5;
        slow += "rallentamento, " + std::to_string(x) + ", " + std::to_string(v) + ", " +
                std::to_string(pick(1, 20) * 50) + ", " + std::to_string(pick(0, 1)) + ", " +
                std::to_string(pick(0, 1)) + ", " + std::to_string(pick(0, 1) * 70) + "\r\n";
        if (pick(0, 1)) signal(x - 1600);
        if (pick(0, 1)) {
          // An author's point in the first cell the protection pass would take.
          const int start_cell = x / 50 + 1;
          points += "abbattimento, " + std::to_string((start_cell - 5) * 50) + ", 180\r\n";
        }
        break;
      }
      case 2:
        for (int j = 0; j < pick(1, 3); ++j) {
          boards += "indicatori_vmax, " + std::to_string(base + 1000 + j * 500);
          for (int v = 0; v < 8; ++v) {
            boards += ", " + std::to_string(v == 3 || v == 7 ? pick(0, 3) : pick(0, 24) * 5);
          }
          boards += "\r\n";
        }
        break;
      case 3:
        signboards += "indicatore cartello, " + std::to_string(base + 1500) + ", CARTELLO " +
                      std::to_string(k) + "\r\n";
        break;
      case 4: {
        const int w[] = {0, 100, 180, 250, 300};
        points += "abbattimento, " + std::to_string(base + 1000) + ", " +
                  std::to_string(w[pick(0, 4)]) + "\r\n";
        break;
      }
      default:
        signal(base + 1500);
        break;
    }
  }
  l += boards + signboards + "[fine]\r\n";
  t += (pick(0, 1) ? stations + signals : signals + stations) + slow + points + "[fine]\r\n";
  return {l, t};
}

void random_round_trips(unsigned first, unsigned count) {
  for (unsigned seed = first; seed < first + count; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const RandomScenario r = random_scenario(seed);
    expect_round_trip(r.line_file, r.train_file, seed % 4 != 0);
    if (::testing::Test::HasFailure()) return;
  }
}

TEST(DecompileRoundTrip, RandomScenarios) {
  random_round_trips(1, 300);
}

TEST(DecompileRoundTrip, ManyRandomScenariosSlow) {
  random_round_trips(1000, 700);
}

TEST(DecompileRoundTrip, LongScenarioSlow) {
  const auto text = sb::bench::make_long_scenario();
  expect_round_trip(text.line_file, text.train_file, true);
}

// Every scenario kept in the fixtures' folders, found by its files: each line file
// NAME_linea.txt with each train file NAME_LINE-.txt beside it. A fixture added later is
// covered without a change here.
TEST(DecompileRoundTrip, EveryFixtureScenario) {
  namespace fs = std::filesystem;
  const std::string suffix = "_linea.txt";
  int found = 0;
  for (const auto& entry : fs::recursive_directory_iterator(SB_FIXTURES)) {
    const std::string leaf = entry.path().filename().string();
    if (leaf.size() <= suffix.size() || !leaf.ends_with(suffix)) continue;
    const std::string name = leaf.substr(0, leaf.size() - suffix.size());
    for (const auto& other : fs::directory_iterator(entry.path().parent_path())) {
      const std::string train = other.path().filename().string();
      if (!train.starts_with(name + "_") || !train.ends_with("-.txt") || train == leaf) continue;
      const std::string line = train.substr(name.size() + 1, train.size() - name.size() - 6);
      SCOPED_TRACE(other.path().string());
      ++found;
      for (bool geometry : {true, false}) {
        expect_round_trip(read_bytes(entry.path().string()), read_bytes(other.path().string()),
                          geometry, name, line);
      }
    }
  }
  EXPECT_GE(found, 1);
}

// The clean examples: every example of the author's manual and of the README that compiles
// without a fault, and the example of every warning that `explain` shows (a warning is no
// fault), each with and without the route plan.
TEST(DecompileRoundTrip, CleanExamplesOfTheManualAndOfExplain) {
  std::vector<std::pair<std::string, std::pair<std::string, std::string>>> cases;
  for (const std::string& path : {kManual, kReadme}) {
    for (const Example& x : examples(path)) {
      if (x.expect.starts_with("fault=")) continue;
      cases.emplace_back(x.where, scenario_of(x));
    }
  }
  const std::size_t manual = cases.size();
  for (const Explanation& e : warning_explanations()) {
    if (e.example.no_line_file) continue;
    cases.emplace_back("the example of warning " + std::string(e.name),
                       std::pair{example_line_file(e.example), example_train_file(e.example)});
  }
  ASSERT_GT(manual, 0u);
  ASSERT_GT(cases.size(), manual);
  for (const auto& [where, files] : cases) {
    SCOPED_TRACE(where);
    for (bool geometry : {true, false}) expect_round_trip(files.first, files.second, geometry);
  }
}

}  // namespace
}  // namespace sb::test
