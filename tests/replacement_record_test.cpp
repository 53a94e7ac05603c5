// The record of a set of compiled files being put in place, and how the next run completes a
// set that a killed run left half replaced.
#include "compiler/replacement_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace sb::test {
namespace {

bool same(const std::vector<PendingReplacement>& a, const std::vector<PendingReplacement>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (a[k].temporary != b[k].temporary || a[k].target != b[k].target || a[k].kept != b[k].kept) {
      return false;
    }
  }
  return true;
}

// A record reads back as written; anything but a whole record (cut short, with more after its
// end, naming a file outside the folder) is no record.
TEST(ReplacementRecord, ReadsBackOnlyWhole) {
  const std::vector<PendingReplacement> set = {
      {"S_linea.dat.tmp41", "S_linea.dat", "S_linea.dat.tmp41.1"},
      {"S_L 1.sim.tmp41", "S_L 1.sim", ""},
  };
  const std::string text = replacement_record_text(set);
  EXPECT_EQ(text,
            "scenario_builder replacing compiled files\n"
            "S_linea.dat.tmp41\tS_linea.dat\tS_linea.dat.tmp41.1\n"
            "S_L 1.sim.tmp41\tS_L 1.sim\t\n"
            "end\n");
  const auto back = parse_replacement_record(text);
  ASSERT_TRUE(back.has_value());
  EXPECT_TRUE(same(*back, set));

  const std::string first = "scenario_builder replacing compiled files\n";
  struct Row {
    const char* what;
    std::string text;
  };
  const Row broken[] = {
      {"empty", ""},
      {"cut before its end", text.substr(0, text.size() - 4)},
      {"cut inside a line", text.substr(0, 60)},
      {"more after its end", text + "x\ty\tz\n"},
      {"another first line", "scenario_builder\n" + text.substr(first.size())},
      {"a line of two names", first + "a.tmp1\ta\nend\n"},
      {"a name with a folder", first + "../a.tmp1\ta\t\nend\n"},
      {"a target that is a folder", first + "a.tmp1\t..\t\nend\n"},
      {"no target", first + "a.tmp1\t\t\nend\n"},
  };
  for (const Row& row : broken) {
    SCOPED_TRACE(row.what);
    EXPECT_FALSE(parse_replacement_record(row.text).has_value());
  }
}

// A run killed after renaming the first output and before the second: the next run renames
// the waiting new file into place, removes the old files' second names and the record, and
// says so in one line. A folder without a record is left alone.
TEST(ReplacementRecord, ALeftReplacementIsCompleted) {
  TempDir dir;
  EXPECT_EQ(complete_interrupted_replacement(dir.path()), std::nullopt);
  write_bytes(dir.file("a.dat"), "new a");
  write_bytes(dir.file("a.dat.tmp9.1"), "old a");  // a's old content, kept
  write_bytes(dir.file("b.sim"), "old b");
  write_bytes(dir.file("b.sim.tmp9.1"), "old b");
  write_bytes(dir.file("b.sim.tmp9"), "new b");
  write_bytes(dir.file("c.dat.tmp9"), "new c");  // c had no old file
  write_bytes(dir.file(kReplacementRecordLeaf),
              replacement_record_text({{"a.dat.tmp9", "a.dat", "a.dat.tmp9.1"},
                                       {"b.sim.tmp9", "b.sim", "b.sim.tmp9.1"},
                                       {"c.dat.tmp9", "c.dat", ""}}));
  EXPECT_TRUE(replacement_pending(dir.path()));
  const auto account = complete_interrupted_replacement(dir.path());
  EXPECT_EQ(account,
            "scenario_builder: a compile was stopped while it replaced its compiled "
            "files; the replacement is completed now: \"a.dat\", \"b.sim\" and "
            "\"c.dat\" are all new");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"a.dat", "b.sim", "c.dat"}));
  EXPECT_EQ(read_bytes(dir.file("a.dat")), "new a");
  EXPECT_EQ(read_bytes(dir.file("b.sim")), "new b");
  EXPECT_EQ(read_bytes(dir.file("c.dat")), "new c");
  EXPECT_FALSE(replacement_pending(dir.path()));
}

// A record cut short was being written when the run was killed, before any output was touched:
// it is removed, and the outputs stay as they are.
TEST(ReplacementRecord, ARecordCutShortIsRemoved) {
  TempDir dir;
  write_bytes(dir.file("a.dat"), "old a");
  write_bytes(dir.file(kReplacementRecordLeaf), "scenario_builder replacing compiled files\na");
  const auto account = complete_interrupted_replacement(dir.path());
  ASSERT_TRUE(account.has_value());
  EXPECT_NE(account->find("removed an incomplete record"), std::string::npos) << *account;
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"a.dat"});
  EXPECT_EQ(read_bytes(dir.file("a.dat")), "old a");
}

}  // namespace
}  // namespace sb::test
