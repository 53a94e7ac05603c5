// The long scenario of the benchmarks, compiled through the library: the longest route the
// reader accepts, with every kind of object, must compile without a single fault, and every
// protection rule must find its room.
#include "../bench/long_scenario.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "compiler/memorizza_percorso.h"
#include "driver/diagnostics.h"
#include "format/route_matrix_file.h"
#include "format/track_file.h"
#include "model/file_names.h"
#include "reader/memorizza_dati.h"
#include "test_support.h"

namespace sb::test {
namespace {

constexpr int kBlockCells = bench::kLongBlockMetres / 50;

Scenario long_scenario(const TempDir& dir) {
  Scenario s;
  set_names(s, "Lungo percorso", "LINEA L");
  s.source_folder = dir.path();
  s.output_folder = dir.path();
  s.delete_sources = false;
  bench::write_long_scenario(dir.path(), s.scenario_name, s.line_name);
  return s;
}

std::string fault_text(const Scenario& s) {
  std::string text;
  for (const Diagnostic& d : s.diagnostics.items) text += format_diagnostic(d);
  return text;
}

class LongScenario : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(LongScenario, CompilesWithoutFault) {
  const std::int32_t j = GetParam();
  TempDir dir;
  Scenario s = long_scenario(dir);
  ASSERT_TRUE(memorizza_percorso(s, j));
  EXPECT_EQ(s.error_code, 0);
  EXPECT_TRUE(s.diagnostics.items.empty()) << fault_text(s);

  EXPECT_EQ(s.cell_count, 20140);
  EXPECT_EQ(s.mountain_count, bench::kLongMountainStretches);
  for (int slot = 1; slot <= bench::kLongStations; ++slot) {
    char name[16];
    std::snprintf(name, sizeof name, "FERMATA %02d", slot);
    EXPECT_EQ(s.station_table[slot].name, name) << "slot " << slot;
  }
  EXPECT_EQ(s.station_table[bench::kLongStations + 1], StationRecord{});

  // The author's files stay; the binary files are there, the route plan only with geometry.
  EXPECT_TRUE(exists(line_file_name(s)));
  EXPECT_TRUE(exists(train_file_name(s)));
  EXPECT_EQ(read_bytes(track_file_name(s)).size(), 15u * 20141);
  EXPECT_EQ(decode_track_file(read_bytes(track_file_name(s))), s.track_table);
  if (j != 0) {
    // Two halves of 10 x extended_length - 18 bytes: every point from 2 to 1 006 998 computed.
    const std::string bytes = read_bytes(route_matrix_file_name(s));
    EXPECT_EQ(bytes.size(), 2u * (10u * 1007000 - 18));
    // The file, written while the plan was computed, holds every element once and in order:
    // the plan of the same reading kept in memory (the reading alone keeps it).
    EXPECT_TRUE(s.route_matrix.streamed());
    Scenario in_memory = long_scenario(dir);
    in_memory.write_geometry = j;
    memorizza_dati(in_memory);
    ASSERT_EQ(in_memory.error_code, 0);
    ASSERT_FALSE(in_memory.route_matrix.streamed());
    EXPECT_TRUE(bytes == encode_route_matrix_file(in_memory.route_matrix));
    const RouteMatrix decoded = decode_route_matrix_file(bytes);
    ASSERT_EQ(decoded.upper(), in_memory.route_matrix.upper());
    EXPECT_TRUE(decoded == in_memory.route_matrix);
  } else {
    EXPECT_FALSE(exists(route_matrix_file_name(s)));
  }
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutGeometry, LongScenario, ::testing::Values(1, 0));

// The three files as the program wrote them before the route plan was streamed into its file:
// size and digest of each, so that no change to how they are written changes a byte.
TEST(LongScenarioFiles, AreTheBytesWrittenBefore) {
  TempDir dir;
  bench::write_long_scenario(dir.path(), "Lungo percorso", "LINEA L");
  const ProgramResult r = run_program({"compile", "Lungo percorso", "LINEA L"}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  struct Expected {
    const char* leaf;
    std::size_t size;
    std::uint64_t digest;
  };
  static constexpr Expected kFiles[] = {
      {"Lungo percorso_linea.dat", 20139964, 0x225a813c04059a7e},
      {"Lungo percorso_LINEA L.sim", 3759, 0x9c4b12c33354a0be},
      {"Lungo percorso_LINEA L.dat", 302115, 0x12ae602360c9c634},
  };
  for (const Expected& e : kFiles) {
    const std::string bytes = read_bytes(dir.file(e.leaf));
    EXPECT_EQ(bytes.size(), e.size) << e.leaf;
    EXPECT_EQ(digest(bytes), e.digest) << e.leaf;
  }
}

// Every block gets the generated points of each protection rule where the pattern leaves
// room for them: before the signal ahead of the warning board, in the three bands, along the
// slow order when its speed is below 110, and before the signal after its end.
TEST(LongScenarioProtection, EveryBlockGetsItsPoints) {
  TempDir dir;
  Scenario s = long_scenario(dir);
  ASSERT_TRUE(memorizza_percorso(s, 0));
  ASSERT_EQ(s.error_code, 0);

  struct Expected {
    int r;
    bool only_slow;  // only in blocks whose slow order is slower than 110 (even blocks)
  };
  static constexpr Expected kPoints[] = {
      {85, false}, {102, false}, {109, false}, {115, false}, {128, true}, {136, true}, {145, false},
  };
  for (int b = 0; b < bench::kLongBlocks; ++b) {
    const int first = b * kBlockCells;
    for (const Expected& e : kPoints) {
      const TrackCell& cell = s.track_table[static_cast<std::size_t>(first + e.r)];
      const bool wanted = !e.only_slow || b % 2 == 0;
      EXPECT_EQ(cell.kind, wanted ? kAbbattimento : kPlain) << "block " << b << " r " << e.r;
      if (wanted) {
        EXPECT_EQ(cell.value1, 180) << "block " << b << " r " << e.r;
      }
    }
    const TrackCell& start = s.track_table[static_cast<std::size_t>(first + 120)];
    const TrackCell& end = s.track_table[static_cast<std::size_t>(first + 140)];
    EXPECT_EQ(start.kind, kSlowOrderStart) << "block " << b;
    EXPECT_EQ(end.kind, kSlowOrderEnd) << "block " << b;
    // The file's own "abbattimento" point keeps its value.
    const TrackCell& own = s.track_table[static_cast<std::size_t>(first + 170)];
    EXPECT_EQ(own.kind, b % 2 == 0 ? kAbbattimento : kAbbattimentoNoValue) << "block " << b;
    if (b % 2 == 0) {
      EXPECT_EQ(own.value1, 150) << "block " << b;
    }
  }
}

}  // namespace
}  // namespace sb::test
