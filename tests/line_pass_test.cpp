// The line pass on the built-in line file and on small fixtures.
#include <gtest/gtest.h>

#include "model/file_names.h"
#include "reader/memorizza_dati.h"
#include "test_support.h"
#include "writers/builtin_sources.h"

namespace sb::test {
namespace {

class BuiltinRead : public ::testing::Test {
 protected:
  void SetUp() override {
    s = builtin_scenario(dir.path());
    write_scenario_sources(s);
    s.write_geometry = 1;
    memorizza_dati(s);
  }
  TempDir dir;
  Scenario s;
};

TEST_F(BuiltinRead, Smoke) {
  EXPECT_EQ(s.error_code, 0);
  for (auto& f : s.fault_log.faults) ADD_FAILURE() << f.code << " " << f.detail << " " << f.line;
  EXPECT_EQ(s.extended_length, 25000);
  EXPECT_EQ(s.cell_count, 500);
}

}  // namespace
}  // namespace sb::test
