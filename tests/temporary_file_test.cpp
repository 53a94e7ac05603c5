// Temporary files, interrupts and the folder lock of the platform layer, in this process and
// in child processes that are interrupted on purpose.
#include "platform/temporary_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>
#ifndef _WIN32
// Child processes made with fork, for the tests that interrupt them (POSIX only; Windows has
// its own in temporary_file_win32_test.cpp).
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "platform/folder_lock.h"
#include "platform/interrupts.h"
#include "platform/platform_error.h"
#include "platform/temporary_names.h"
#include "test_support.h"

namespace sb::test {
namespace {

// Files are created with a name (the way of a system without unnamed files) while it lives.
class NamedTemporaries {
 public:
  NamedTemporaries() { TemporaryFile::allow_unnamed(false); }
  ~NamedTemporaries() { TemporaryFile::allow_unnamed(true); }
};

std::string temporary_leaf(const std::string& leaf, long pid = current_process_id()) {
  return leaf + ".tmp" + std::to_string(pid);
}

// Writing, sealing and publishing: where unnamed files exist the folder shows nothing until
// the file is sealed; a named file shows its temporary name from the start. Either way the
// target keeps its old content until publish(), and nothing else is left afterwards.
TEST(TemporaryFile, StepsOfAReplacementWithAndWithoutAName) {
  for (const bool named : {false, true}) {
    SCOPED_TRACE(named ? "named" : "unnamed");
    TempDir dir;
    if (!named && !unnamed_files_supported(dir.path())) continue;
    std::optional<NamedTemporaries> force;
    if (named) force.emplace();
    const std::string target = dir.file("x.dat");
    write_bytes(target, "old");
    {
      TemporaryFile file(target);
      file.write("abc");
      file.write_at(6, "Z");
      file.write("d");
      char back[8] = {};
      EXPECT_EQ(file.read_at(0, back, sizeof back), 7u);
      EXPECT_EQ(std::string(back, 7), std::string("abcd\0\0Z", 7));
      const std::vector<std::string> while_written =
          named ? std::vector<std::string>{"x.dat", temporary_leaf("x.dat")}
                : std::vector<std::string>{"x.dat"};
      EXPECT_EQ(dir.entries(), while_written);
      file.resize(5);
      file.seal();
      EXPECT_EQ(dir.entries(), (std::vector<std::string>{"x.dat", temporary_leaf("x.dat")}));
      EXPECT_EQ(read_bytes(target), "old");
      file.publish();
    }
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"x.dat"});
    EXPECT_EQ(read_bytes(target), std::string("abcd\0", 5));

    {
      TemporaryFile discarded(target);
      discarded.write("new");
      discarded.seal();
    }
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"x.dat"});
    EXPECT_EQ(read_bytes(target), std::string("abcd\0", 5));
  }
}

// A folder in the target's place is refused before anything is written for it.
TEST(TemporaryFile, AFolderCannotBeReplaced) {
  TempDir dir;
  ASSERT_TRUE(std::filesystem::create_directory(fs_path(dir.file("x.dat"))));
  try {
    TemporaryFile file(dir.file("x.dat"));
    FAIL() << "a file was started in place of a folder";
  } catch (const PlatformError& e) {
    EXPECT_EQ(e.path(), dir.file("x.dat"));
    EXPECT_EQ(e.reason(), std::strerror(EISDIR));
  }
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"x.dat"});
}

// Temporary files that a killed run left beside the target are removed by the next file made
// for that target; names of a process that still runs, of another target, or that only look
// alike stay.
TEST(TemporaryFile, StaleTemporaryFilesOfEndedProcessesAreRemoved) {
  for (const bool named : {false, true}) {
    SCOPED_TRACE(named ? "named" : "unnamed");
    std::optional<NamedTemporaries> force;
    if (named) force.emplace();
    TempDir dir;
    const long dead = ended_process_id();
    const std::vector<std::string> stale = {temporary_leaf("x.dat", dead),
                                            temporary_leaf("x.dat", dead) + ".3"};
    std::vector<std::string> kept = {
        temporary_leaf("x.dat", running_process_id()),  // a process that runs
        temporary_leaf("y.dat", dead),                  // another target
        temporary_leaf("x.dat", dead) + "x",            // not a temporary name
        "x.dat.tmp",                                    // nor this
    };
    // Nor this; but Windows drops a dot at the end of a file name, which makes it the stale one.
    if (!kWindows) kept.push_back(temporary_leaf("x.dat", dead) + ".");
    for (const auto& leaf : stale) write_bytes(dir.file(leaf), "left by a killed run");
    for (const auto& leaf : kept) write_bytes(dir.file(leaf), "someone's file");
    {
      TemporaryFile file(dir.file("x.dat"));
      file.write("new");
      file.seal();
      file.publish();
    }
    std::vector<std::string> expected = kept;
    expected.push_back("x.dat");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(dir.entries(), expected);
  }
}

// Temporary names never outgrow the longest file name: a long target's name is cut short to
// make room for the suffix (never inside a UTF-8 character), and the name of every attempt is
// recognised as the target's again, so that a killed run's file is still cleared away.
TEST(TemporaryFile, NamesFitTheLongestFileNameAndAreRecognised) {
  const std::string e_acute = "\xC3\xA9";  // two bytes of UTF-8
  struct Row {
    const char* what;
    std::string leaf;
    long pid;
    int attempt;
    std::string expected;
  };
  const Row rows[] = {
      {"short", "x.dat", 4242, 0, "x.dat.tmp4242"},
      {"short, third attempt", "x.dat", 4242, 3, "x.dat.tmp4242.3"},
      {"longest leaf", std::string(255, 'a'), 4194304, 0, std::string(244, 'a') + ".tmp4194304"},
      {"longest leaf, attempt 99", std::string(255, 'a'), 4194304, 99,
       std::string(241, 'a') + ".tmp4194304.99"},
      {"just fits", std::string(246, 'b'), 12345, 0, std::string(246, 'b') + ".tmp12345"},
      {"one byte over", std::string(247, 'b'), 12345, 0, std::string(246, 'b') + ".tmp12345"},
      {"cut before a UTF-8 character", std::string(245, 'c') + e_acute + "d", 12345, 0,
       std::string(245, 'c') + ".tmp12345"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string name = temporary_name("folder/" + row.leaf, row.pid, row.attempt);
    EXPECT_EQ(name, "folder/" + row.expected);
    EXPECT_LE(row.expected.size(), kLongestFileName);
    EXPECT_EQ(temporary_owner(row.expected, row.leaf), std::optional<long>(row.pid));
  }
  const std::string long_leaf(250, 'a');
  const std::string cut_name = std::string(246, 'a') + ".tmp12345";
  EXPECT_EQ(temporary_owner(cut_name, long_leaf), std::optional<long>(12345));
  EXPECT_EQ(temporary_owner(cut_name, "b" + std::string(249, 'a')), std::nullopt);
  // A cut that temporary_name would not make, and suffixes it never writes.
  for (const std::string& entry : std::vector<std::string>{
           std::string(200, 'a') + ".tmp12345", long_leaf + ".tmp12345", "x.dat.tmp12345.0",
           "x.dat.tmp12345.100", "x.dat.tmp0", "x.dat.tmp", "x.dat.tmp12a"}) {
    SCOPED_TRACE(entry.substr(0, 40));
    EXPECT_EQ(temporary_owner(entry, entry.size() > 40 ? long_leaf : "x.dat"), std::nullopt);
  }
}

#ifndef _WIN32
// Runs `body` in a child process with the program's interrupt handling; returns how the child
// ended (the wait status).
template <typename Body>
int in_child(Body body) {
  const pid_t child = ::fork();
  if (child == 0) {
    prepare_process();
    body();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return status;
}

// An interrupt while a named temporary file is written removes it, and the process ends with
// the signal, as it would have without the program's handler.
TEST(Interrupts, RemoveNamedTemporaryFilesAndEndTheProcessAsTheSignalAsks) {
  for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(::strsignal(sig));
    TempDir dir;
    write_bytes(dir.file("x.dat"), "old");
    const int status = in_child([&] {
      TemporaryFile::allow_unnamed(false);
      TemporaryFile first(dir.file("x.dat"));
      first.write("partly written");
      TemporaryFile second(dir.file("y.dat"));
      if (!exists(dir.file(temporary_leaf("x.dat"))) ||
          !exists(dir.file(temporary_leaf("y.dat")))) {
        ::_exit(3);
      }
      ::raise(sig);
      ::_exit(4);  // not reached: the signal ends the process
    });
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), sig);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"x.dat"});
    EXPECT_EQ(read_bytes(dir.file("x.dat")), "old");
  }
}

// While interrupts are deferred a signal waits; it takes effect when the last deferral ends.
TEST(Interrupts, DeferredUntilTheLastDeferralEnds) {
  TempDir dir;
  const std::string marker = dir.file("after the signal");
  const int status = in_child([&] {
    {
      const InterruptsDeferred outer;
      {
        const InterruptsDeferred inner;
        ::raise(SIGTERM);
      }
      write_bytes(marker, "still running");
    }
    ::_exit(4);  // not reached
  });
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
  EXPECT_TRUE(exists(marker));
}

// Two processes around one folder's lock: a holder that takes it and keeps it until told to
// let go, and a waiter (started by the test) that reports through its own pipe.
struct LockRace {
  int to_holder[2], from_holder[2], from_waiter[2];
  pid_t holder = -1;
  char c = 0;

  LockRace() {
    for (int* p : {to_holder, from_holder, from_waiter}) EXPECT_EQ(::pipe(p), 0);
  }
  ~LockRace() {
    for (int* p : {to_holder, from_holder, from_waiter}) {
      ::close(p[0]);
      ::close(p[1]);
    }
  }
  // Starts the holder on `path` and returns once it holds the lock.
  bool start_holder(const std::string& path) {
    holder = ::fork();
    if (holder == 0) {
      const FolderLock first(path);
      (void)!::write(from_holder[1], "H", 1);
      (void)!::read(to_holder[0], &c, 1);  // until the test lets go
      ::_exit(0);
    }
    return ::read(from_holder[0], &c, 1) == 1;
  }
  void release_holder() { (void)!::write(to_holder[1], "x", 1); }
  // The next letter the waiter sends, or 0 when it sent none.
  char from_waiter_letter() { return ::read(from_waiter[0], &c, 1) == 1 ? c : 0; }
  void say(const char* letter) { (void)!::write(from_waiter[1], letter, 1); }
};

// A second lock on a folder waits, saying so once, until the first is released. Each lock is
// taken in a process of its own (a lock belongs to the open folder, which a child inherits).
TEST(FolderLock, ASecondRunWaitsForTheFirst) {
  TempDir dir;
  LockRace race;
  ASSERT_TRUE(race.start_holder(dir.path()));
  const pid_t waiter = ::fork();
  if (waiter == 0) {
    const FolderLock second(dir.path(), [&] { race.say("w"); });
    race.say("L");
    ::_exit(0);
  }
  EXPECT_EQ(race.from_waiter_letter(), 'w');
  ::usleep(100 * 1000);
  EXPECT_EQ(::waitpid(waiter, nullptr, WNOHANG), 0) << "the second lock did not wait";
  race.release_holder();
  EXPECT_EQ(race.from_waiter_letter(), 'L');
  for (const pid_t child : {race.holder, waiter}) {
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  EXPECT_TRUE(dir.entries().empty());  // no lock file
}

// A folder removed and made again under its name while a run waited for its lock: the lock
// that run ends up holding is on the folder now at the path, not on the removed one.
TEST(FolderLock, AFolderReplacedWhileWaitingIsLockedAgain) {
  TempDir root;
  const std::string path = root.file("out");
  ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
  LockRace race;
  ASSERT_TRUE(race.start_holder(path));
  const pid_t waiter = ::fork();
  if (waiter == 0) {
    const FolderLock second(path, [&] { race.say("w"); });
    // Whether this process holds the folder now at the path: another open of it cannot lock.
    const int probe = ::open(path.c_str(), O_RDONLY | O_DIRECTORY);
    const bool held = ::flock(probe, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    race.say(held ? "L" : "?");
    ::_exit(0);
  }
  EXPECT_EQ(race.from_waiter_letter(), 'w');
  ASSERT_EQ(::rename(path.c_str(), root.file("removed").c_str()), 0);
  ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
  race.release_holder();
  EXPECT_EQ(race.from_waiter_letter(), 'L') << "the lock was left on the removed folder";
  for (const pid_t child : {race.holder, waiter}) ::waitpid(child, nullptr, 0);
}

#endif  // _WIN32

TEST(FolderLock, AMissingFolderIsAPlatformFailure) {
  TempDir dir;
  EXPECT_THROW(FolderLock(dir.file("nowhere")), PlatformError);
}

}  // namespace
}  // namespace sb::test
