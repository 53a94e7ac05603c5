// The limits of the scenario text files that the reader does not check on its own: positions
// before the origin or beyond the tables, full tables, fills that do not advance, numbers and
// names too large for their fields. Every write that would fall outside a table ends the
// reading through the common failure path (code 25), keeping what was written before it;
// only a signal's approach marks before cell 0 are dropped. Each case is compiled whole, so
// the protection pass and the output files run on what the reading left.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "compiler/memorizza_percorso.h"
#include "format/route_matrix_file.h"
#include "model/file_names.h"
#include "reader_fixture.h"

namespace sb::test {
namespace {

std::vector<std::string> repeated(int count, const std::function<std::string(int)>& line) {
  std::vector<std::string> lines;
  for (int k = 0; k < count; ++k) lines.push_back(line(k));
  return lines;
}

std::string station(int p, int kind, int length, const std::string& name = "X") {
  return "stazione, " + std::to_string(p) + ", " + std::to_string(kind) + ", " +
         std::to_string(length) + ", 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, " + name;
}

// Stations of kind 30 (no track cells, no platform) 400 m apart on a 40000 m line.
std::string stations_on_long_line(int count) {
  return train_file_with(
      repeated(count, [](int k) { return station(k * 400, 30, 0, "S" + std::to_string(k)); }));
}
const std::string kLongLine = crlf({"[generale]", "lunghezza percorso, 40000", "[fine]"});

// Signboards 50 m apart from 50 m on (cells 2, 3, ...), keeping clear of the header cell.
std::vector<std::string> signboards(int count) {
  return repeated(count, [](int k) {
    return "cartello indicat, " + std::to_string(50 + k * 50) + ", B" + std::to_string(k);
  });
}

std::string gradient_at_100(int) {
  return "pendenza, 100, 1";
}

int cells_of_kind(const Scenario& s, std::uint8_t kind) {
  int count = 0;
  for (const TrackCell& c : s.track_table) count += c.kind == kind ? 1 : 0;
  return count;
}

const TrackCell& cell(const Scenario& s, int n) {
  return s.track_table.at(static_cast<std::size_t>(n));
}
// The route plan as the build wrote it into its file (the build keeps none in memory).
RouteMatrix written_route(const Scenario& s) {
  return decode_route_matrix_file(read_bytes(route_matrix_file_name(s)));
}

const StationRecord& slot(const Scenario& s, int n) {
  return s.station_table.at(static_cast<std::size_t>(n));
}

struct Bound {
  std::string name;
  std::string line;
  std::string train;
  std::int32_t j;     // build the route plan
  std::int32_t code;  // error_code after the compilation
  std::function<void(const Scenario&)> key_cells;
};

std::vector<Bound> bounds() {
  // Speed and adhesion from the origin, nothing else.
  const std::string plain_train = train_file_from_origin({});
  const std::string signal = ", 2, 3, 0, 0, 0, 2, 2, 0, 0, 0";
  return {
      // ---- Positions before the origin ----
      {"speed board at -75 m lands in cell 0",
       line_file_with({"indicatori_vmax, -75, 80, 80, 80, 0, 80, 80, 80, 0"}), plain_train, 0, 0,
       [](const Scenario& s) {
         EXPECT_EQ(cell(s, 0).kind, kSpeedBoard);
         EXPECT_EQ(cell(s, 0).value1, 1616);
       }},
      {"signboard at -76 m", line_file_with({"indicatore cartello, -76, A"}), plain_train, 0, 25,
       [](const Scenario& s) {
         EXPECT_EQ(cells_of_kind(s, kSignboard), 0);
         EXPECT_EQ(slot(s, 80).name, "");
       }},
      {"mountain-side stretch from -50 m", line_file_with({"montagna, -50, 500, 2"}), plain_train,
       0, 25,
       [](const Scenario& s) {
         EXPECT_EQ(s.mountain_count, 1);  // recorded before its first cell is reached
         for (int n = 0; n <= 10; ++n) EXPECT_EQ(cell(s, n).mountain_side, 0) << n;
       }},
      {"signal at -100 m", line_file_with({}), train_file_from_origin({"segnale, -100" + signal}),
       0, 25, [](const Scenario& s) { EXPECT_EQ(cells_of_kind(s, kSignal), 0); }},
      {"signal at 50 m keeps its marks inside the table", line_file_with({}),
       train_file_from_origin({"segnale, 50" + signal}), 0, 0,
       [](const Scenario& s) {
         EXPECT_EQ(cell(s, 2).kind, kSignal);
         EXPECT_EQ(cell(s, 2).value1, 32);
         EXPECT_EQ(cell(s, 0).approach_mark, 81);  // k = 1; k = 2, 3, 4 fall before cell 0
         for (int n = 1; n <= 10; ++n) EXPECT_EQ(cell(s, n).approach_mark, 0) << n;
       }},
      {"abbattimento at -25 m lands in cell 0", line_file_with({}),
       train_file_from_origin({"abbattimento, -25, 300"}), 0, 0,
       [](const Scenario& s) {
         EXPECT_EQ(cell(s, 0).kind, kAbbattimento);
         EXPECT_EQ(cell(s, 0).value1, 300);
       }},
      {"abbattimento at -50 m", line_file_with({}),
       train_file_from_origin({"abbattimento, -50, 300"}), 0, 25,
       [](const Scenario& s) { EXPECT_EQ(cells_of_kind(s, kAbbattimento), 0); }},
      {"slow order reaching back before the origin", line_file_with({}),
       train_file_from_origin({"rallentamento, 5000, 30, -6000, 1, 0, 0"}), 0, 25,
       [](const Scenario& s) {
         EXPECT_EQ(cells_of_kind(s, kSlowOrderStart), 0);
         EXPECT_EQ(cells_of_kind(s, kWarningBoard), 0);
       }},
      {"station at -100 m has its stop cell too close to the origin", line_file_with({}),
       train_file_from_origin({station(-100, 22, 400)}), 0, 24,
       [](const Scenario& s) {
         EXPECT_EQ(slot(s, 1).start_m, -300);
         EXPECT_EQ(slot(s, 1).end_m, 100);
         EXPECT_EQ(cells_of_kind(s, kStationStop), 0);
       }},

      // ---- Beyond the end of a table ----
      {"mountain-side stretch reaching beyond the table",
       line_file_with({"montagna, 24000, 26000, 2"}), plain_train, 0, 25,
       [](const Scenario& s) {
         EXPECT_EQ(cell(s, 479).mountain_side, 0);
         EXPECT_EQ(cell(s, 480).mountain_side, 2);
         EXPECT_EQ(cell(s, 500).mountain_side, 2);  // the cells inside the table stay marked
       }},
      {"curve ending on the last point of the route plan", line_file_with({"curvad4, 24000, 1000"}),
       plain_train, 1, 0,
       [](const Scenario& s) { EXPECT_EQ(written_route(s).tag(25000, 0), ElementTag::kFloat64); }},
      {"curve beyond the route plan", line_file_with({"curvad4, 24000, 1001"}), plain_train, 1, 25,
       [](const Scenario& s) {
         const RouteMatrix m = written_route(s);
         EXPECT_EQ(m.upper(), 25000);
         EXPECT_EQ(m.tag(25000, 0), ElementTag::kFloat64);
       }},
      {"slow order reaching beyond the table", line_file_with({}),
       train_file_from_origin({"rallentamento, 24800, 30, 1000, 1, 0, 0"}), 0, 25,
       [](const Scenario& s) {
         EXPECT_EQ(cell(s, 497).kind, kPlain);  // its start
         EXPECT_EQ(cell(s, 473).kind, kPlain);  // its warning board
       }},
      {"slow order shorter than 25 m", line_file_with({}),
       train_file_from_origin({"rallentamento, 5000, 30, 10, 1, 0, 0"}), 0, 0,
       [](const Scenario& s) {
         EXPECT_EQ(cell(s, 101).kind, kSlowOrderStart);
         EXPECT_EQ(cells_of_kind(s, kSlowOrderEnd), 0);
         // With no end cell the walk along it runs to the last cell of the table, a point
         // every 8 cells: 109, 117, ..., 493.
         for (int n = 109; n <= 493; n += 8) {
           EXPECT_EQ(cell(s, n).kind, kAbbattimento) << n;
           EXPECT_EQ(cell(s, n).value1, 180) << n;
         }
         EXPECT_EQ(cell(s, 500).kind, kPlain);
       }},
      {"station stop beyond the table", line_file_with({}),
       train_file_with({station(24200, 7, 900)}), 0, 25,
       [](const Scenario& s) {
         EXPECT_EQ(cells_of_kind(s, kStationStop), 0);
         // The approach marks come first and lie inside the table: they stay.
         for (int k = 1; k <= 4; ++k) EXPECT_EQ(cell(s, 501 - k).approach_mark, 80 + k) << k;
       }},

      // ---- Full tables ----
      {"81st mountain-side stretch",
       line_file_with(repeated(81,
                               [](int k) {
                                 return "montagna, " + std::to_string(k * 200) + ", " +
                                        std::to_string(k * 200 + 100) + ", 2";
                               })),
       plain_train, 0, 25,
       [](const Scenario& s) {
         EXPECT_EQ(s.mountain_count, 80);
         EXPECT_EQ(s.mountain_start[80], 79 * 200);
         EXPECT_EQ(cell(s, 316).mountain_side, 3);  // the 80th stretch
         EXPECT_EQ(cell(s, 320).mountain_side, 0);  // the 81st
       }},
      {"81 signboards fit", line_file_with(signboards(81)), plain_train, 0, 0,
       [](const Scenario& s) {
         EXPECT_EQ(cell(s, 82).kind, kSignboard);
         EXPECT_EQ(cell(s, 82).value1, 0);
         EXPECT_EQ(slot(s, 0).name, "B80");
       }},
      {"82nd signboard", line_file_with(signboards(82)), plain_train, 0, 25,
       [](const Scenario& s) {
         EXPECT_EQ(slot(s, 0).name, "B80");
         // Its cell is written before the slot for its text is found missing.
         EXPECT_EQ(cell(s, 83).kind, kSignboard);
         EXPECT_EQ(cell(s, 83).value1, -1);
       }},
      {"78 stations fit", kLongLine, stations_on_long_line(78), 0, 0,
       [](const Scenario& s) { EXPECT_EQ(slot(s, 78).name, "S77"); }},
      {"79th station", kLongLine, stations_on_long_line(79), 0, 10,
       [](const Scenario& s) {
         EXPECT_EQ(slot(s, 79).name, "S78");  // stored before the table is found full
         EXPECT_EQ(slot(s, 80).name, "");
       }},

      // ---- Fills that do not advance ----
      // Every entry at 100 m writes one cell and advances the fill index (the first writes
      // cells 0 and 1), and the fill at the end of the pass writes one more.
      {"499 gradients at 100 m", line_file_with(repeated(499, gradient_at_100)), plain_train, 0, 0,
       [](const Scenario& s) {
         EXPECT_EQ(cell(s, 499).gradient, 101);
         EXPECT_EQ(cell(s, 500).gradient, 101);  // by the tail fill
       }},
      {"500 gradients at 100 m", line_file_with(repeated(500, gradient_at_100)), plain_train, 0, 25,
       [](const Scenario& s) { EXPECT_EQ(cell(s, 500).gradient, 101); }},
      {"500 adhesion entries at 100 m", line_file_with({}),
       train_file_with(repeated(500, [](int) { return "aderenza, 100, 1"; })), 0, 25,
       [](const Scenario& s) {
         EXPECT_EQ(cell(s, 0).adhesion, 0);  // the running adhesion before the first entry
         EXPECT_EQ(cell(s, 500).adhesion, 1);
       }},

      // ---- Route length ----
      {"route length 1000000", crlf({"[generale]", "lunghezza percorso, 1000000", "[fine]"}),
       plain_train, 0, 0,
       [](const Scenario& s) {
         EXPECT_EQ(s.cell_count, 20140);
         EXPECT_EQ(s.track_table.size(), 20141u);
         EXPECT_EQ(cell(s, 20137).speed_limit, 6);
       }},
      {"route length 1000001", crlf({"[generale]", "lunghezza percorso, 1000001", "[fine]"}),
       plain_train, 0, 1, [](const Scenario& s) { EXPECT_FALSE(s.has_track_table()); }},

      // ---- Numbers and names too large for their fields ----
      {"numbers at the 32-bit limits", line_file_with({}),
       train_file_with({"numero vetture, -2147483648", "percentuale massa frenata, 2147483647"}), 0,
       0,
       [](const Scenario& s) {
         EXPECT_EQ(slot(s, 84).position_m, INT32_MIN);
         EXPECT_EQ(slot(s, 84).start_m, INT32_MAX);
       }},
      {"number beyond 32 bits", line_file_with({}),
       train_file_with({"numero vetture, 3", "percentuale massa frenata, 2147483648"}), 0, 25,
       [](const Scenario& s) {
         EXPECT_EQ(slot(s, 84).position_m, 3);
         EXPECT_EQ(slot(s, 84).start_m, 0);
       }},
      {"position beyond 32 bits", line_file_with({"pendenza, -2147483649, 1"}), plain_train, 0, 25,
       [](const Scenario& s) { EXPECT_EQ(cell(s, 0).gradient, 0); }},
      {"station name of 65535 bytes", line_file_with({}),
       train_file_with({station(5000, 30, 300, std::string(65535, 'N'))}), 0, 0,
       [](const Scenario& s) { EXPECT_EQ(slot(s, 1).name.size(), 65535u); }},
      {"station name of 65536 bytes", line_file_with({}),
       train_file_with({station(5000, 30, 300, std::string(65536, 'N'))}), 0, 25,
       [](const Scenario& s) {
         EXPECT_EQ(slot(s, 1).position_m, 5000);  // the values before the name stay
         EXPECT_EQ(slot(s, 1).name, "");
       }},
      {"signboard text of 65536 bytes",
       line_file_with({"indicatore cartello, 600, " + std::string(65536, 'T')}), plain_train, 0, 25,
       [](const Scenario& s) {
         EXPECT_EQ(cell(s, 13).kind, kSignboard);  // written before its text
         EXPECT_EQ(slot(s, 80).name, "");
       }},
  };
}

TEST(Bounds, EveryOpenLimitHasItsOutcome) {
  for (const Bound& b : bounds()) {
    SCOPED_TRACE(b.name);
    ReaderRun r;
    write_bytes(line_file_name(r.s), b.line);
    write_bytes(train_file_name(r.s), b.train);
    const bool compiled = memorizza_percorso(r.s, b.j);
    EXPECT_EQ(r.s.error_code, b.code);
    if (b.code == 25) {
      ASSERT_FALSE(r.s.diagnostics.items.empty());
      EXPECT_FALSE(r.s.diagnostics.last_fault()->message.empty());
    }
    // Whatever the reading left is compiled and written in full.
    EXPECT_EQ(compiled, r.s.has_track_table());
    if (compiled) {
      EXPECT_EQ(read_bytes(track_file_name(r.s)).size(), 15 * r.s.track_table.size());
    }
    EXPECT_FALSE(r.line_file_left());
    // A route length above the limit stops the reading before the train file is opened.
    EXPECT_EQ(r.train_file_left(), b.code == 1);
    b.key_cells(r.s);
  }
}

}  // namespace
}  // namespace sb::test
