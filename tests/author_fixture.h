// The author's scenario of tests/fixtures/author: "Collina" on the line "L2", a 7 km line with
// four curves (one of each side at least), four gradients, a mountain-side stretch, two speed
// boards, a signboard, four stations (one of a kind without a stop cell), a slow order of
// 30 km/h from 3000 m to 3400 m with its warning board and pre-warning cells, a signal and an
// abbattimento point: one of every object an author places.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace sb::test {

inline const std::string kAuthorScenario = "Collina";
inline const std::string kAuthorLine = "L2";

// Copies the fixture's two text files into `dir` and compiles them there.
inline void compile_author_fixture(const TempDir& dir) {
  for (const char* leaf : {"Collina_linea.txt", "Collina_L2-.txt"}) {
    write_bytes(dir.file(leaf), read_bytes(std::string(SB_FIXTURES) + "/author/" + leaf));
  }
  const ProgramResult r = run_program({"compile", kAuthorScenario, kAuthorLine}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
}

}  // namespace sb::test
