// What only Windows has: hidden and system files, names in UTF-16 whatever the code page, and
// the folder of the .exe found from the running program.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "compiler/memorizza_percorso.h"
#include "driver/compile_run.h"
#include "model/file_names.h"
#include "platform/files.h"
#include "platform/printable_text.h"
#include "platform/wide_text_win32.h"
#include "reader/memorizza_dati.h"
#include "reader_fixture.h"
#include "test_support.h"
#include "writers/builtin_sources.h"

namespace sb::test {
namespace {

// Wine keeps the attributes of a file in an extended attribute of the host's file system;
// where that has none, a file cannot be made hidden.
bool set_attributes(const std::string& path, DWORD attributes) {
  return ::SetFileAttributesW(to_wide(path).c_str(), attributes) &&
         (::GetFileAttributesW(to_wide(path).c_str()) & attributes) == attributes;
}

// A line file that is there but hidden or a system file counts as missing: the reading ends
// with code 101 and leaves it where it is. A read-only file is an ordinary file, and is read.
TEST(WindowsLineFile, HiddenOrSystemFileCountsAsMissing) {
  struct Case {
    const char* name;
    DWORD attributes;
    bool ordinary;
  };
  const Case cases[] = {
      {"hidden", FILE_ATTRIBUTE_HIDDEN, false},
      {"system file", FILE_ATTRIBUTE_SYSTEM, false},
      {"hidden system file", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, false},
      {"read-only", FILE_ATTRIBUTE_READONLY, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReaderRun run;
    const std::string line = line_file_name(run.s);
    write_bytes(line, line_file_with({}));
    write_bytes(train_file_name(run.s), train_file_from_origin({}));
    if (!set_attributes(line, c.attributes)) {
      GTEST_SKIP() << "the file system keeps no file attributes here";
    }
    EXPECT_EQ(is_ordinary_file(line), c.ordinary);
    memorizza_dati(run.s);
    if (c.ordinary) {
      EXPECT_NE(run.s.error_code, 101);
      EXPECT_EQ(run.s.cell_count, 500);  // the 18000 m route was read
    } else {
      EXPECT_EQ(run.s.error_code, 101);
      EXPECT_TRUE(run.line_file_left());
    }
    ::SetFileAttributesW(to_wide(line).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

// Only the line file must be an ordinary file: a hidden or system train file is read (and
// deleted after it, as the reader does).
TEST(WindowsTrainFile, HiddenOrSystemTrainFileIsRead) {
  for (const DWORD attributes : {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM}}) {
    SCOPED_TRACE(attributes);
    ReaderRun run;
    write_bytes(line_file_name(run.s), line_file_with({}));
    const std::string train = train_file_name(run.s);
    write_bytes(train, train_file_from_origin({"velocita, 1000, 60"}));
    if (!set_attributes(train, attributes)) {
      GTEST_SKIP() << "the file system keeps no file attributes here";
    }
    memorizza_dati(run.s);
    EXPECT_EQ(run.s.error_code, 0);
    EXPECT_EQ(run.cell(30).speed_limit, 12);  // 60 km/h from 1000 m, stored as its fifth
    EXPECT_FALSE(run.train_file_left());
  }
}

// Through the program: a hidden line file is no line file, the fault says why, and nothing is
// compiled.
TEST(WindowsLineFile, HiddenLineFileIsNotFoundByTheProgram) {
  TempDir dir;
  write_bytes(dir.file("Prova_linea.txt"), line_file_with({}));
  write_bytes(dir.file("Prova_L1-.txt"), train_file_from_origin({}));
  if (!set_attributes(dir.file("Prova_linea.txt"), FILE_ATTRIBUTE_HIDDEN)) {
    GTEST_SKIP() << "the file system keeps no file attributes here";
  }
  const auto r = run_program({"compile", "Prova", "L1"}, dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("error 101: no line file \"Prova_linea.txt\": it is a hidden file, not an "
                       "ordinary file"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"Prova_L1-.txt", "Prova_linea.txt"}));
}

// A source file that the built-in run cannot delete after reading it (another program holds
// it open, as an editor may) is a run-time failure of the reading: fault 25 naming the file,
// and the binary files are written from what was read, as the built-in run always does.
TEST(WindowsLineFile, HeldOpenLineFileCannotBeDeleted) {
  TempDir dir;
  Scenario s = builtin_scenario(dir.path());
  write_scenario_sources(s);
  const std::string line = line_file_name(s);
  const HANDLE held = ::CreateFileW(to_wide(line).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const std::int32_t j = 1;
  const bool compiled = memorizza_percorso(s, j);
  ::CloseHandle(held);

  EXPECT_TRUE(compiled);
  EXPECT_EQ(s.error_code, 25);
  ASSERT_EQ(s.diagnostics.faults(), 1u);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(report_build(s, compiled, DiagnosticStyle{}));  // exit status 1
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("error 25: cannot delete " + echoed(line) + ": " +
                     system_reason(ERROR_SHARING_VIOLATION)),
            std::string::npos)
      << err;
  // The failure path deletes the train file, unread; the line file stays.
  EXPECT_FALSE(exists(train_file_name(s)));
  for (const std::string& path :
       {line, route_matrix_file_name(s), station_file_name(s), track_file_name(s)}) {
    EXPECT_TRUE(exists(path)) << path;
  }
}

// Names beyond ASCII reach the files unchanged whatever the system's code page: the program
// takes its arguments in UTF-16 and names its files with the wide API. It compiles exactly
// what the library compiles for the same names, and the station file holds them in the
// simulator's code page (Windows-1252).
TEST(WindowsNames, NamesBeyondAsciiWork) {
  const std::string scenario = "Citt\xC3\xA0 di Pr\xC3\xA9";  // Città di Pré
  const std::string line = "Linea \xC3\x9C";                  // Linea Ü
  TempDir dir;
  TempDir reference;
  Scenario s;
  set_names(s, scenario, line);
  s.delete_sources = false;
  for (const TempDir* d : {&dir, &reference}) {
    s.source_folder = d->path();
    write_bytes(line_file_name(s), line_file_with({"curvad4, 1500, 550"}));
    write_bytes(train_file_name(s), train_file_from_origin({}));
  }
  const auto r = run_program({"compile", scenario, line}, dir.path());
  EXPECT_EQ(r.status, 0) << r.err;

  s.source_folder = reference.path();
  s.output_folder = reference.path();
  std::int32_t j = 1;
  ASSERT_TRUE(memorizza_percorso(s, j));
  EXPECT_EQ(dir.entries(), reference.entries());
  for (const std::string& leaf :
       {route_matrix_file_leaf(scenario), station_file_leaf(scenario, line),
        track_file_leaf(scenario, line)}) {
    SCOPED_TRACE(leaf);
    ASSERT_TRUE(exists(dir.file(leaf)));
    EXPECT_TRUE(read_bytes(dir.file(leaf)) == read_bytes(reference.file(leaf)));
  }
  const std::string stations = read_bytes(dir.file(station_file_leaf(scenario, line)));
  EXPECT_NE(stations.find("Citt\xE0 di Pr\xE9"), std::string::npos);
  EXPECT_NE(stations.find("Linea \xDC"), std::string::npos);
}

// The program's folder is the one that holds the .exe, found from the running program (in
// UTF-8, without a trailing separator), whatever the current folder.
TEST(WindowsFolders, ProgramFolderHoldsTheRunningExe) {
  std::wstring exe(32768, L'\0');
  exe.resize(::GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size())));
  const std::filesystem::path expected = std::filesystem::path(exe).parent_path();
  EXPECT_EQ(program_folder(), to_utf8(expected.native()));
  EXPECT_EQ(join_path(program_folder(), "x.txt"), to_utf8(expected.native()) + "\\x.txt");
  EXPECT_EQ(join_path("C:\\", "x.txt"), "C:\\x.txt");
}

}  // namespace
}  // namespace sb::test
