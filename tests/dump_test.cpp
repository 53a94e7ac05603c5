// `scenario_builder dump`: listings of the compiled files, read back from files that the
// program and its output writer produced, and the errors for files that do not decode.
#include <gtest/gtest.h>

#include <sstream>

#include "author_fixture.h"
#include "compiled_fixture.h"
#include "json_reader.h"
#include "test_support.h"

namespace sb::test {
namespace {

const std::string kTrack = "Roccalta_ Valfiorita_LINEA 7.dat";

// A text listing split into its header and rows. Every column but the last is one word; the
// last ("holds") is the rest of the line.
struct Listing {
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;

  std::size_t column(const std::string& name) const {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (columns[c] == name) return c;
    }
    throw std::runtime_error("no column " + name);
  }
  const std::string& at(std::size_t row, const std::string& name) const {
    return rows.at(row).at(column(name));
  }
  // The index of the row whose first column is `key`.
  std::size_t row_of(const std::string& key) const {
    for (std::size_t r = 0; r < rows.size(); ++r) {
      if (rows[r][0] == key) return r;
    }
    throw std::runtime_error("no row " + key);
  }
};

Listing parse_listing(const std::string& text) {
  Listing l;
  std::istringstream lines(text);
  std::string line;
  std::getline(lines, line);
  std::istringstream header(line);
  for (std::string w; header >> w;) l.columns.push_back(w);
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::vector<std::string> row(l.columns.size());
    for (std::size_t c = 0; c + 1 < row.size(); ++c) words >> row[c];
    std::getline(words >> std::ws, row.back());
    l.rows.push_back(row);
  }
  return l;
}

ProgramResult dump(const TempDir& dir, std::vector<std::string> args) {
  args.insert(args.begin(), "dump");
  return run_program(args, dir.path());
}

Json dump_json(const TempDir& dir, std::vector<std::string> args) {
  args.insert(args.begin(), "--json");
  const ProgramResult r = dump(dir, args);
  EXPECT_EQ(r.status, 0) << r.err;
  return parse_json(r.out);
}

bool plain_ascii_lines(const std::string& text) {
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x7F || (b < 0x20 && b != '\n')) return false;
  }
  return true;
}

TEST(DumpTrack, BuiltinTrackListsItsObjectsWithTheirValues) {
  TempDir dir;
  ASSERT_EQ(run_program({"--dir", dir.path()}, dir.path()).status, 0);
  const ProgramResult r = dump(dir, {kTrack});
  ASSERT_EQ(r.status, 0) << r.err;
  const Listing l = parse_listing(r.out);

  // The built-in signal at 14 650 m and the header cell with the marker and the code.
  const std::size_t signal = l.row_of("294");
  EXPECT_EQ(l.at(signal, "chainage_m"), "14650");
  for (const auto& [field, value] : {std::pair{"kind", "1"},
                                     {"value1", "32"},
                                     {"value2", "0"},
                                     {"value3", "0"},
                                     {"value4", "8"},
                                     {"signal_time", "0"},
                                     {"speed_limit", "6"},
                                     {"gradient", "100"},
                                     {"adhesion", "100"},
                                     {"holds", "signal"}}) {
    EXPECT_EQ(l.at(signal, field), value) << field;
  }
  const std::size_t header = l.row_of("1");
  EXPECT_EQ(l.at(header, "value1"), "5121");
  EXPECT_EQ(l.at(header, "value2"), "2436");
  // The signal's approach marks, 81 nearest the signal.
  for (const auto& [cell, mark] :
       {std::pair{"292", "81"}, {"290", "82"}, {"288", "83"}, {"286", "84"}}) {
    EXPECT_EQ(l.at(l.row_of(cell), "approach_mark"), mark) << cell;
  }

  // Only cells that hold something are listed.
  int signals = 0, boards = 0, stops = 0;
  for (std::size_t row = 0; row < l.rows.size(); ++row) {
    bool holds = false;
    for (const char* f :
         {"kind", "value1", "value2", "value3", "value4", "signal_time", "approach_mark"}) {
      holds = holds || l.at(row, f) != "0";
    }
    EXPECT_TRUE(holds) << "cell " << l.rows[row][0];
    signals += l.at(row, "holds") == "signal";
    boards += l.at(row, "holds") == "speed board";
    stops += l.at(row, "holds") == "station stop";
  }
  EXPECT_EQ(signals, 1);
  EXPECT_EQ(boards, 4);
  EXPECT_EQ(stops, 7);  // the stations of kind below 25

  const Listing all = parse_listing(dump(dir, {"--all", kTrack}).out);
  ASSERT_EQ(all.rows.size(), 501u);
  for (std::size_t n = 0; n < all.rows.size(); ++n) {
    ASSERT_EQ(all.at(n, "cell"), std::to_string(n));
    ASSERT_EQ(all.at(n, "chainage_m"), std::to_string((static_cast<long>(n) - 1) * 50));
  }
}

TEST(DumpRoundTrip, TrackAndStationsGiveBackTheWrittenTables) {
  TempDir dir;
  const Scenario model = compiled_fixture(dir.path());
  write_compiled_fixture(dir.path());

  const Json track = dump_json(dir, {"--all", "Prova_L1.dat"});
  EXPECT_EQ(track["type"].text, "track");
  EXPECT_EQ(track["file"].text, "Prova_L1.dat");
  ASSERT_EQ(track["rows"].items.size(), model.track_table.size());
  for (std::size_t n = 0; n < model.track_table.size(); ++n) {
    SCOPED_TRACE("cell " + std::to_string(n));
    const Json& row = track["rows"].items[n];
    const TrackCell& c = model.track_table[n];
    EXPECT_EQ(row["cell"].number, n);
    EXPECT_EQ(row["chainage_m"].number, (static_cast<double>(n) - 1) * 50);
    const std::pair<const char*, int> fields[] = {
        {"kind", c.kind},
        {"value1", c.value1},
        {"value2", c.value2},
        {"value3", c.value3},
        {"value4", c.value4},
        {"signal_time", c.signal_time},
        {"approach_mark", c.approach_mark},
        {"mountain_side", c.mountain_side},
        {"speed_limit", c.speed_limit},
        {"gradient", c.gradient},
        {"adhesion", c.adhesion},
    };
    for (const auto& [name, value] : fields) EXPECT_EQ(row[name].number, value) << name;
  }
  // Without --all the plain cell 0 is left out.
  EXPECT_EQ(dump_json(dir, {"Prova_L1.dat"})["rows"].items.size(), 4u);

  const Json stations = dump_json(dir, {"Prova_L1.sim"});
  const std::pair<int, const char*> expected[] = {
      {1, "station"},
      {2, "station"},
      {80, "signboard"},
      {84, "train data: braked mass %, line length, cars"},
      {85, "scenario: backgrounds, name, marker 610, code"},
      {86, "line: signal repetition, name, sand, clock"},
  };
  const auto& rows = stations["rows"].items;
  ASSERT_EQ(rows.size(), std::size(expected));
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const auto [slot, holds] = expected[k];
    SCOPED_TRACE("slot " + std::to_string(slot));
    const StationRecord& r = model.station_table[static_cast<std::size_t>(slot)];
    EXPECT_EQ(rows[k]["slot"].number, slot);
    EXPECT_EQ(rows[k]["holds"].text, holds);
    EXPECT_EQ(rows[k]["name"].text, r.name);
    const std::pair<const char*, long> fields[] = {
        {"kind", r.kind},       {"start_m", r.start_m},
        {"end_m", r.end_m},     {"position_m", r.position_m},
        {"param_a", r.param_a}, {"param_d", r.param_d},
        {"param_e", r.param_e}, {"param_g", r.param_g},
        {"param_h", r.param_h}, {"param_i", r.param_i},
        {"param_f", r.param_f}, {"param_j", r.param_j},
        {"param_c", r.param_c}, {"param_b", r.param_b},
        {"time_s", r.time_s},
    };
    for (const auto& [name, value] : fields) EXPECT_EQ(rows[k][name].number, value) << name;
  }
  EXPECT_EQ(dump_json(dir, {"--all", "Prova_L1.sim"})["rows"].items.size(), 87u);
}

TEST(DumpRoundTrip, RouteGivesBackEveryElementWithItsTag) {
  TempDir dir;
  const RouteMatrix model = compiled_fixture(dir.path()).route_matrix;
  write_compiled_fixture(dir.path());

  const Json route = dump_json(dir, {"Prova_linea.dat"});
  const auto& rows = route["rows"].items;
  ASSERT_EQ(rows.size(), 201u);
  for (std::int32_t m = 0; m <= 200; ++m) {
    SCOPED_TRACE("metre " + std::to_string(m));
    EXPECT_EQ(rows[m]["metre"].number, m);
    for (const auto& [c, value, tag] : {std::tuple{0, "x", "x_tag"}, {1, "y", "y_tag"}}) {
      switch (model.tag(m, c)) {
        case ElementTag::kEmpty:
          EXPECT_EQ(rows[m][tag].text, "empty");
          EXPECT_TRUE(rows[m][value].is_null());
          break;
        case ElementTag::kInt16:
          EXPECT_EQ(rows[m][tag].text, "int16");
          EXPECT_EQ(rows[m][value].number, model.number(m, c));
          break;
        case ElementTag::kFloat64:
          EXPECT_EQ(rows[m][tag].text, "float64");
          EXPECT_EQ(rows[m][value].number, model.number(m, c));  // exactly
          break;
      }
    }
  }

  const auto stepped = dump_json(dir, {"--step", "7", "Prova_linea.dat"})["rows"].items;
  ASSERT_EQ(stepped.size(), 29u);  // metres 0, 7, ..., 196
  EXPECT_EQ(stepped.back()["metre"].number, 196);

  const Listing text = parse_listing(dump(dir, {"--step", "100", "Prova_linea.dat"}).out);
  ASSERT_EQ(text.rows.size(), 3u);
  EXPECT_EQ(text.at(1, "x"), "3.333333");
  EXPECT_EQ(text.at(1, "y"), "99.666667");
  EXPECT_EQ(text.at(2, "x"), "-");
  EXPECT_EQ(text.at(2, "y_tag"), "empty");
}

TEST(DumpText, NamesAreQuotedWithEveryAwkwardByteEscaped) {
  TempDir dir;
  write_compiled_fixture(dir.path());
  const ProgramResult text = dump(dir, {"Prova_L1.sim"});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find(R"("A & B <C> \"D\" 'E' \\F")"), std::string::npos) << text.out;
  // A letter as itself on an output read as UTF-8, a control byte escaped.
  EXPECT_NE(text.out.find("\"CITT\u00e0\\x01X\""), std::string::npos) << text.out;
  if (!kWindows) {
    RunLimits ascii;
    ascii.locale = "C";
    const ProgramResult escaped =
        run_program({"dump", "Prova_L1.sim"}, dir.path(), SB_PROGRAM, ascii);
    EXPECT_NE(escaped.out.find(R"("CITT\xe0\x01X")"), std::string::npos) << escaped.out;
    EXPECT_TRUE(plain_ascii_lines(escaped.out));
  }

  const ProgramResult json = dump(dir, {"--json", "Prova_L1.sim"});
  EXPECT_NE(json.out.find(R"("CITT\u00e0\u0001X")"), std::string::npos) << json.out;
  EXPECT_TRUE(plain_ascii_lines(json.out));
}

// With --units each stored value stands beside what the author wrote: the listings of the
// author's scenario, compared whole with the reviewed listings in tests/fixtures/golden.
TEST(DumpUnits, AuthorScenarioListingsMatchTheirGoldenFiles) {
  TempDir dir;
  compile_author_fixture(dir);
  for (const auto& [file, golden] : {std::pair{"Collina_L2.dat", "author_track_units.txt"},
                                     {"Collina_L2.sim", "author_stations_units.txt"}}) {
    SCOPED_TRACE(file);
    const ProgramResult r = dump(dir, {"--units", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, read_bytes(std::string(SB_FIXTURES) + "/golden/" + golden));
  }
}

TEST(DumpUnits, JsonCarriesTheAuthorsValuesAsExtraFields) {
  TempDir dir;
  compile_author_fixture(dir);
  const Json track = dump_json(dir, {"--units", "Collina_L2.dat"});
  const auto cell = [&](int n) -> const Json& {
    for (const Json& row : track["rows"].items) {
      if (row["cell"].number == n) return row;
    }
    throw std::runtime_error("no cell " + std::to_string(n));
  };
  // The speed board at 1200 m: 60 km/h (stored 12) on a gradient of +12 (stored 112).
  EXPECT_EQ(cell(25)["speed_limit"].number, 12);
  EXPECT_EQ(cell(25)["speed_kmh"].number, 60);
  EXPECT_EQ(cell(25)["gradient"].number, 112);
  EXPECT_EQ(cell(25)["gradient_permille"].number, 12);
  EXPECT_EQ(cell(50)["gradient_permille"].number, -8);
  EXPECT_EQ(cell(45)["holds"].text, "station stop \"BORGO\": stop 08:03:00, slot 2");
  EXPECT_EQ(cell(77)["holds"].text, "signboard \"PASSAGGIO A LIVELLO\": slot 80");
  EXPECT_EQ(cell(113)["holds"].text,
            "signal: sx 2, s1 3, s2 0, s3 0, rapp 0, dx 2, d1 2, d2 0, d3 0, tempo 0");

  const Json stations = dump_json(dir, {"--units", "Collina_L2.sim"});
  const Json& borgo = stations["rows"].items.at(1);
  EXPECT_EQ(borgo["time_s"].number, 28980);
  EXPECT_EQ(borgo["time"].text, "08:03:00");
  EXPECT_TRUE(stations["rows"].items.back()["time"].is_null());  // slot 86 holds no stop

  // Without the station file beside it the track names slots only.
  std::remove(dir.file("Collina_L2.sim").c_str());
  const Json alone = dump_json(dir, {"--units", "Collina_L2.dat"});
  bool stop_seen = false;
  for (const Json& row : alone["rows"].items) {
    if (row["cell"].number == 45) {
      EXPECT_EQ(row["holds"].text, "station stop: slot 2");
      stop_seen = true;
    }
  }
  EXPECT_TRUE(stop_seen);
}

// Extreme stored values read back without fault: the fixture's signal holds -32768 and 32767,
// its speed limit 255 (1275 km/h), its gradient 0 (-100).
TEST(DumpUnits, ExtremeValuesReadBack) {
  TempDir dir;
  write_compiled_fixture(dir.path());
  const Listing l = parse_listing(dump(dir, {"--units", "Prova_L1.dat"}).out);
  const std::size_t signal = l.row_of("2");
  EXPECT_EQ(l.at(signal, "speed_kmh"), "1275");
  EXPECT_EQ(l.at(signal, "gradient_permille"), "-100");
  EXPECT_EQ(l.at(signal, "holds"),
            "signal: sx 2, s1 -3276, s2 2, s3 0, rapp 3276, dx 1, d1 -8, d2 1, d3 -1, tempo 255");
  EXPECT_EQ(l.at(l.row_of("3"), "holds"),
            "station stop \"A & B <C> \\\"D\\\" 'E' \\\\F\": stop 23:01:15, slot 1");
  const Listing stations = parse_listing(dump(dir, {"--units", "Prova_L1.sim"}).out);
  EXPECT_EQ(stations.at(stations.row_of("86"), "holds"),
            "line \"L1\": signal repetition 0 m, 0 m, 0 codes, sand 0, clock 12:00:00");
}

TEST(DumpErrors, MalformedFilesNameTheByteWhereDecodingFailed) {
  TempDir dir;
  ASSERT_EQ(run_program({"--dir", dir.path()}, dir.path()).status, 0);
  write_compiled_fixture(dir.path());
  const std::string builtin_track = read_bytes(dir.file(kTrack));
  const std::string stations = read_bytes(dir.file("Prova_L1.sim"));
  const std::string route = read_bytes(dir.file("Prova_linea.dat"));
  const std::string int16_zero("\x02\x00\x00\x00", 4);
  struct Case {
    const char* name;
    std::string leaf;
    std::string bytes;
    std::vector<std::string> options;
    std::string message;  // after scenario_builder: "LEAF":
  };
  const Case cases[] = {
      {"track cut inside cell 294's value1",
       "cut.dat",
       builtin_track.substr(0, 4410 + 2),
       {},
       "malformed track file at byte 4411: track cell 294, value1: 2 byte(s) needed, 1 left"},
      {"track of one byte", "one.dat", "\x01", {}, "malformed track file at byte 1: track cell 0"},
      {"empty track", "empty.dat", "", {}, "malformed track file at byte 0: the file is empty"},
      {"stations cut inside slot 1's name",
       "cut.sim",
       stations.substr(0, 34 + 16 + 3),
       {},
       "malformed station file at byte 50: station slot 1, name:"},
      {"stations with 86 records",
       "short.sim",
       stations.substr(0, stations.size() - 36),
       {},
       "malformed station file at byte " + std::to_string(stations.size() - 36) +
           ": the file ends after 86 of 87 records"},
      {"stations with a byte after the last record",
       "long.sim",
       stations + "x",
       {},
       "malformed station file at byte " + std::to_string(stations.size()) + ":"},
      {"route with an unknown tag",
       "tag_linea.dat",
       int16_zero + std::string("\x07\x00", 2),
       {},
       "malformed route matrix file at byte 4: unknown element tag 7"},
      {"route cut inside a double",
       "cut_linea.dat",
       route.substr(0, 13),
       {},
       "malformed route matrix file at byte 10: double:"},
      {"route with an odd number of elements",
       "odd_linea.dat",
       int16_zero + int16_zero + int16_zero,
       {},
       "malformed route matrix file at byte 12:"},
      {"stations read as a route",
       "as_route.sim",
       stations,
       {"--type", "route"},
       "malformed route matrix file at byte "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    write_bytes(dir.file(c.leaf), c.bytes);
    for (const bool json : {false, true}) {
      std::vector<std::string> args = c.options;
      if (json) args.push_back("--json");
      args.push_back(c.leaf);
      const ProgramResult r = dump(dir, args);
      EXPECT_EQ(r.status, 2);
      EXPECT_EQ(r.out, "");
      EXPECT_NE(r.err.find("scenario_builder: \"" + c.leaf + "\": " + c.message), std::string::npos)
          << r.err;
    }
  }
}

TEST(DumpUsage, TypeComesFromTheNameOrFromTypeOption) {
  TempDir dir;
  write_compiled_fixture(dir.path());
  write_bytes(dir.file("stations.bin"), read_bytes(dir.file("Prova_L1.sim")));
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out_has;
    std::string err_has;
  };
  const Case cases[] = {
      {{"notes.txt"}, 2, "", "\"notes.txt\": cannot tell the file type from its name"},
      {{"--type", "stations", "stations.bin"}, 0, "\"Prova\"", ""},
      {{"missing.sim"}, 2, "", "cannot open \"missing.sim\""},
      {{"--step", "0", "Prova_linea.dat"}, 2, "", "--step takes a whole number"},
      {{"--type", "notes", "Prova_L1.dat"}, 2, "", "--type takes track, stations or route"},
      {{"--dir", ".", "Prova_L1.dat"}, 2, "", "unknown option \"--dir\""},
      {{}, 2, "", "missing FILE"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.empty() ? "no file" : c.args.back());
    const ProgramResult r = dump(dir, c.args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.out.find(c.out_has), std::string::npos) << r.out;
    EXPECT_NE(r.err.find(c.err_has), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace sb::test
