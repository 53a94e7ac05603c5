#include <gtest/gtest.h>

#include "test_support.h"

namespace sb::test {
namespace {

TEST(Program, RunsInEmptyFolder) {
  TempDir dir;
  const auto r = run_program({}, dir.path());
  EXPECT_EQ(r.status, 0);
}

}  // namespace
}  // namespace sb::test
