#include "compiler/output_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format/byte_reader.h"
#include "format/route_matrix_file.h"
#include "format/station_file.h"
#include "format/track_file.h"
#include "model/file_names.h"
#include "test_support.h"

namespace sb::test {
namespace {

std::string hex(const std::vector<int>& bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}

// The route plan of a straight line: metres 0 and 1 as 16-bit integers (0, 0) and (0, 1),
// metres 2 .. upper - 2 as floats (0, metre), the last two empty.
RouteMatrix straight_route(std::int32_t upper) {
  RouteMatrix m;
  m.allocate(upper);
  m.set_int16(0, 0, 0);
  m.set_int16(0, 1, 0);
  m.set_int16(1, 0, 0);
  m.set_int16(1, 1, 1);
  for (std::int32_t p = 2; p <= upper - 2; ++p) {
    m.set_float64(p, 0, 0.0);
    m.set_float64(p, 1, p);
  }
  return m;
}

void expect_same_route(const RouteMatrix& a, const RouteMatrix& b) {
  ASSERT_EQ(a.upper(), b.upper());
  EXPECT_TRUE(a == b);
}

StationRecord full_record(const std::string& name) {
  StationRecord r;
  r.kind = 0xF1;
  r.start_m = -2;
  r.end_m = 0x01020304;
  r.position_m = 18000;
  r.param_a = 0xA1;
  r.name = name;
  r.param_d = -32768;
  r.param_e = 0x1112;
  r.param_g = 0x2122;
  r.param_h = 0x3132;
  r.param_i = -1;
  r.param_f = 0xF2;
  r.param_j = 0xF3;
  r.param_c = 0xF4;
  r.param_b = 0xF5;
  r.time_s = 82875;
  return r;
}

std::array<StationRecord, kStationSlots> names_only() {
  std::array<StationRecord, kStationSlots> t{};
  t[kScenarioSlot].name = "Roccalta_ Valfiorita";
  t[kLineSlot].name = "LINEA 7";
  return t;
}

TEST(TrackFile, CellsAreFifteenBytesInFieldOrder) {
  std::vector<TrackCell> cells(3);
  cells[0].kind = kSignal;
  cells[0].value1 = 21;
  cells[0].value2 = -1;
  cells[2] = TrackCell{0xFE, 0x0102, 0x0304, -2, 0x0506, 7, 8, 9, 10, 11, 12};
  const std::string bytes = encode_track_file(cells);
  ASSERT_EQ(bytes.size(), 45u);
  EXPECT_EQ(bytes.substr(0, 15), hex({1, 0x15, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(bytes.substr(15, 15), std::string(15, '\0'));
  EXPECT_EQ(bytes.substr(30), hex({0xFE, 2, 1, 4, 3, 0xFE, 0xFF, 6, 5, 7, 8, 9, 10, 11, 12}));
}

TEST(TrackFile, BuiltinSignalCellLandsAtByte4410) {
  std::vector<TrackCell> cells(501);
  cells[294] = TrackCell{kSignal, 32, 0, 0, 8, 0, 0, 0, 6, 100, 100};
  const std::string bytes = encode_track_file(cells);
  ASSERT_EQ(bytes.size(), 7515u);
  EXPECT_EQ(bytes.substr(4410, 15), hex({1, 0x20, 0, 0, 0, 0, 0, 8, 0, 0, 0, 0, 6, 0x64, 0x64}));
}

TEST(TrackFile, RoundTripsAndReportsWhereItIsCut) {
  std::vector<TrackCell> cells(4);
  cells[1] = TrackCell{12, -32768, 32767, -1, 5121, 255, 84, 3, 24, 100, 100};
  cells[3] = TrackCell{14, 80, 0, 0, 0, 0, 0, 0, 0, 255, 0};
  const std::string bytes = encode_track_file(cells);
  EXPECT_EQ(decode_track_file(bytes), cells);
  EXPECT_TRUE(decode_track_file("").empty());

  struct Cut {
    std::size_t length;
    std::size_t offset;  // where decoding must fail
  };
  for (const Cut& c : {Cut{17, 16}, Cut{16, 16}, Cut{44, 44}, Cut{53, 52}, Cut{1, 1}}) {
    SCOPED_TRACE(c.length);
    try {
      decode_track_file(std::string_view(bytes).substr(0, c.length));
      ADD_FAILURE() << "no DecodeError";
    } catch (const DecodeError& e) {
      EXPECT_EQ(e.offset(), c.offset) << e.what();
    }
  }
}

TEST(StationFile, RecordIsThirtyFourBytesPlusNameInFieldOrder) {
  std::array<StationRecord, kStationSlots> table{};
  table[1] = full_record("AB");
  const std::string bytes = encode_station_file(table);
  ASSERT_EQ(bytes.size(), 87u * 34 + 2);
  EXPECT_EQ(bytes.substr(0, 34), std::string(34, '\0'));
  EXPECT_EQ(bytes.substr(34, 36),
            hex({0xF1, 0xFE, 0xFF, 0xFF, 0xFF, 4,    3,    2,    1,    0x50, 0x46, 0,
                 0,    0xA1, 2,    0,    'A',  'B',  0,    0x80, 0x12, 0x11, 0x22, 0x21,
                 0x32, 0x31, 0xFF, 0xFF, 0xF2, 0xF3, 0xF4, 0xF5, 0xBB, 0x43, 0x01, 0}));
}

TEST(StationFile, NamesShiftLaterRecords) {
  std::array<StationRecord, kStationSlots> table = names_only();
  table[3].name = "Stazione Nord";  // 13 characters
  table[3].kind = 7;
  table[4].kind = 9;
  const std::string bytes = encode_station_file(table);
  EXPECT_EQ(bytes.size(), 87u * 34 + 13 + 20 + 7);
  // Slot 3 starts at 3 × 34 and takes 47 bytes; slot 4 starts 13 bytes later than it would.
  EXPECT_EQ(bytes[102], 7);
  EXPECT_EQ(bytes.substr(102 + 14, 2), hex({13, 0}));
  EXPECT_EQ(bytes.substr(102 + 16, 13), "Stazione Nord");
  EXPECT_EQ(bytes[102 + 47], 9);
  // The scenario and line names close the file, each behind its length.
  const std::size_t slot85 = 85 * 34 + 13;
  EXPECT_EQ(bytes.substr(slot85 + 14, 22), hex({20, 0}) + "Roccalta_ Valfiorita");
  EXPECT_EQ(bytes.substr(slot85 + 54 + 14, 9), hex({7, 0}) + "LINEA 7");
  EXPECT_EQ(bytes.size(), slot85 + 54 + 41);
}

TEST(StationFile, RoundTripsAndReportsWhereItIsCut) {
  std::array<StationRecord, kStationSlots> table = names_only();
  table[1] = full_record("ABC");
  table[2] = full_record("");
  table[80] = full_record(std::string("Citt\xE0 alta\0x", 11));  // any byte, even 0
  const std::string bytes = encode_station_file(table);
  const std::vector<StationRecord> back = decode_station_file(bytes);
  ASSERT_EQ(back.size(), 87u);
  for (int k = 0; k < kStationSlots; ++k) EXPECT_EQ(back[k], table[k]) << "slot " << k;

  struct Cut {
    std::string name;
    std::string bytes;
    std::size_t offset;
  };
  const std::vector<Cut> cuts = {
      {"inside start_m of slot 1", bytes.substr(0, 36), 35},
      {"inside the name length of slot 1", bytes.substr(0, 34 + 15), 34 + 14},
      {"inside the name of slot 1", bytes.substr(0, 34 + 17), 34 + 16},
      {"inside time_s of slot 1", bytes.substr(0, 34 + 37 - 1), 34 + 33},
      {"after 86 records", bytes.substr(0, bytes.size() - 41), bytes.size() - 41},
      {"empty", "", 0},
      {"a byte after the 87th record", bytes + "x", bytes.size()},
  };
  for (const Cut& c : cuts) {
    SCOPED_TRACE(c.name);
    try {
      decode_station_file(c.bytes);
      ADD_FAILURE() << "no DecodeError";
    } catch (const DecodeError& e) {
      EXPECT_EQ(e.offset(), c.offset) << e.what();
    }
  }
}

TEST(StationFile, NameTooLongForItsLengthFieldIsRefused) {
  std::array<StationRecord, kStationSlots> table{};
  table[5].name = std::string(65535, 'a');
  EXPECT_EQ(encode_station_file(table).size(), 87u * 34 + 65535);
  table[5].name += 'a';
  EXPECT_THROW(encode_station_file(table), std::length_error);
}

TEST(RouteMatrixFile, BuiltinSizedRoute) {
  const std::string bytes = encode_route_matrix_file(straight_route(25000));
  ASSERT_EQ(bytes.size(), 499964u);
  EXPECT_EQ(bytes.substr(0, 18), hex({2, 0, 0, 0, 2, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(bytes.substr(249982, 20),
            hex({2, 0, 0, 0, 2, 0, 1, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0x40, 5, 0}));
  // Each half ends with a float for metre 24998 and two empty elements.
  EXPECT_EQ(bytes.substr(249982 - 14, 14), hex({5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(bytes.substr(bytes.size() - 4), hex({0, 0, 0, 0}));
  expect_same_route(decode_route_matrix_file(bytes), straight_route(25000));
}

TEST(RouteMatrixFile, RoundTripsAnyValues) {
  RouteMatrix m;
  m.allocate(5);
  m.set_int16(0, 0, -32768);
  m.set_int16(0, 1, 32767);
  m.set_float64(1, 0, -1234.5678);
  m.set_float64(1, 1, 1e300);
  m.set_float64(3, 1, -0.0);
  expect_same_route(decode_route_matrix_file(encode_route_matrix_file(m)), m);
  EXPECT_FALSE(decode_route_matrix_file("").exists());
}

TEST(RouteMatrixFile, ReportsWhereItIsMalformed) {
  // Component 0: int16, float, empty; component 1: the same.
  RouteMatrix m;
  m.allocate(2);
  m.set_int16(0, 0, 1);
  m.set_int16(0, 1, 1);
  m.set_float64(1, 0, 2.0);
  m.set_float64(1, 1, 2.0);
  const std::string bytes = encode_route_matrix_file(m);
  ASSERT_EQ(bytes.size(), 32u);
  struct Cut {
    std::string name;
    std::string bytes;
    std::size_t offset;
  };
  const std::vector<Cut> cuts = {
      {"inside an integer", bytes.substr(0, 3), 2},
      {"inside a double", bytes.substr(0, 10), 6},
      {"inside a tag", bytes.substr(0, 15), 14},
      {"one element missing", bytes.substr(0, 30), 30},
      {"unknown tag", hex({2, 0, 0, 0, 3, 0}), 4},
  };
  for (const Cut& c : cuts) {
    SCOPED_TRACE(c.name);
    try {
      decode_route_matrix_file(c.bytes);
      ADD_FAILURE() << "no DecodeError";
    } catch (const DecodeError& e) {
      EXPECT_EQ(e.offset(), c.offset) << e.what();
    }
  }
}

// The file handed over in pieces of any size decodes to the same matrix, and a malformed one
// fails at the same byte with the same words, wherever the pieces cut its elements.
TEST(RouteMatrixFile, DecodesTheSameInPiecesOfAnySize) {
  RouteMatrix m;
  m.allocate(3);
  m.set_int16(0, 0, -7);
  m.set_float64(1, 0, 12.5);
  m.set_int16(2, 1, 3);
  m.set_float64(3, 1, -1e-9);
  const std::string whole = encode_route_matrix_file(m);
  const std::string malformed[] = {whole.substr(0, whole.size() - 3), whole.substr(0, 16),
                                   whole.substr(0, 4) + hex({9, 0}) + whole.substr(4)};
  const auto in_pieces = [](const std::string& bytes, std::size_t size) {
    RouteMatrixDecoder decoder;
    for (int pass = 0; pass < 2; ++pass) {
      for (std::size_t at = 0; at < bytes.size(); at += size) decoder.take(bytes.substr(at, size));
      decoder.end_pass();
    }
    return std::move(decoder.result());
  };
  for (std::size_t size = 1; size <= whole.size(); ++size) {
    SCOPED_TRACE("pieces of " + std::to_string(size) + " bytes");
    expect_same_route(in_pieces(whole, size), m);
    for (const std::string& bytes : malformed) {
      std::string expected;
      try {
        decode_route_matrix_file(bytes);
      } catch (const DecodeError& e) {
        expected = e.what();
      }
      ASSERT_FALSE(expected.empty());
      try {
        in_pieces(bytes, size);
        ADD_FAILURE() << "no DecodeError for " << expected;
      } catch (const DecodeError& e) {
        EXPECT_EQ(std::string(e.what()), expected);
      }
    }
  }
}

Scenario compiled_scenario(const std::string& folder, std::int32_t write_geometry) {
  Scenario s = builtin_scenario(folder);
  s.write_geometry = write_geometry;
  s.extended_length = 1000;
  s.cell_count = 20;
  s.track_table.resize(21);
  s.track_table[1].value1 = 5121;
  s.station_table = names_only();
  if (write_geometry != 0) s.route_matrix = straight_route(1000);
  return s;
}

TEST(OutputFiles, WritesTheThreeFilesWithTheirContent) {
  TempDir dir;
  const Scenario s = compiled_scenario(dir.path(), 1);
  write_output_files(s);
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"Roccalta_ Valfiorita_LINEA 7.dat",
                                                     "Roccalta_ Valfiorita_LINEA 7.sim",
                                                     "Roccalta_ Valfiorita_linea.dat"}));
  EXPECT_EQ(read_bytes(route_matrix_file_name(s)), encode_route_matrix_file(s.route_matrix));
  EXPECT_EQ(read_bytes(route_matrix_file_name(s)).size(), 2u * (10 * 1000 - 18));
  EXPECT_EQ(read_bytes(station_file_name(s)), encode_station_file(s.station_table));
  EXPECT_EQ(read_bytes(track_file_name(s)).size(), 15u * 21);
  EXPECT_EQ(read_bytes(track_file_name(s)).substr(16, 2), hex({0x01, 0x14}));
}

TEST(OutputFiles, WithoutGeometryTheRouteFileIsLeftAlone) {
  TempDir dir;
  const Scenario s = compiled_scenario(dir.path(), 0);
  write_output_files(s);
  EXPECT_FALSE(exists(route_matrix_file_name(s)));

  write_bytes(route_matrix_file_name(s), "route of an earlier run");
  write_output_files(s);
  EXPECT_EQ(read_bytes(route_matrix_file_name(s)), "route of an earlier run");
  EXPECT_EQ(read_bytes(track_file_name(s)), encode_track_file(s.track_table));
}

TEST(OutputFiles, LargerOldFilesAreReplacedWhole) {
  TempDir dir;
  const Scenario s = compiled_scenario(dir.path(), 1);
  const std::string old(1 << 20, '\xAA');
  for (const auto& name : {route_matrix_file_name(s), station_file_name(s), track_file_name(s)}) {
    write_bytes(name, old);
  }
  write_output_files(s);
  EXPECT_EQ(read_bytes(route_matrix_file_name(s)), encode_route_matrix_file(s.route_matrix));
  EXPECT_EQ(read_bytes(station_file_name(s)), encode_station_file(s.station_table));
  EXPECT_EQ(read_bytes(track_file_name(s)), encode_track_file(s.track_table));
  EXPECT_EQ(dir.entries().size(), 3u);  // no temporary file left behind
}

TEST(OutputFiles, ARecordThatCannotBeEncodedTouchesNoFile) {
  TempDir dir;
  Scenario s = compiled_scenario(dir.path(), 1);
  write_bytes(route_matrix_file_name(s), "old route");
  s.station_table[80].name = std::string(70000, 'x');
  EXPECT_THROW(write_output_files(s), std::length_error);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"Roccalta_ Valfiorita_linea.dat"});
  EXPECT_EQ(read_bytes(route_matrix_file_name(s)), "old route");
}

}  // namespace
}  // namespace sb::test
