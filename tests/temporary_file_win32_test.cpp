// The folder lock and interrupts on Windows, where runs are not forked: the program itself is
// the second run, and an interrupted process is a child of the test made by GoogleTest.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/files.h"
#include "platform/folder_lock.h"
#include "platform/interrupts.h"
#include "platform/printable_text.h"
#include "platform/temporary_file.h"
#include "test_support.h"

namespace sb::test {
namespace {

// A run that finds the folder locked waits, says so once, and goes on when the lock is let go;
// the lock leaves no file in the folder.
TEST(FolderLock, ARunWaitsForTheHolderOfTheLock) {
  TempDir dir;
  std::optional<FolderLock> held(std::in_place, dir.path());
  RunningProgram run({"--dir", dir.path()}, dir.path());
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (run.err_so_far().find("waiting") == std::string::npos && !run.ended() &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(run.ended()) << "the run did not wait for the lock";
  EXPECT_TRUE(dir.entries().empty());
  held.reset();
  const ProgramResult r = run.wait();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "scenario_builder: another run is writing into the folder " +
                       echoed(dir.path()) + "; waiting for it to finish\nAttendere\n");
  EXPECT_EQ(dir.entries().size(), 6u);
}

// A folder for a death test, under the same name in the test and in its child: the child
// runs the test again from its start (Windows has no fork), and so makes the folder anew,
// with the same content up to the death test.
class SharedDir {
 public:
  explicit SharedDir(const std::string& name)
      : path_(utf8_path(std::filesystem::temp_directory_path() / name)) {
    std::filesystem::remove_all(fs_path(path_));
    std::filesystem::create_directory(fs_path(path_));
  }
  ~SharedDir() {
    std::error_code ec;
    std::filesystem::remove_all(fs_path(path_), ec);
  }
  std::string file(const std::string& leaf) const { return join_path(path_, leaf); }
  std::vector<std::string> entries() const { return entries_of(path_); }

 private:
  std::string path_;
};

// How Windows ends a process that an interrupt (Ctrl-C, Ctrl-Break) reaches: STATUS_CONTROL_C_EXIT.
bool ended_by_an_interrupt(int status) {
  return static_cast<DWORD>(status) == 0xC000013AUL;
}

// In a child process (the death test's): a console of its own, and a Ctrl-C to everything on
// that console, which is this process alone.
void interrupt_this_process() {
  ::FreeConsole();
  if (!::AllocConsole() || !::GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) std::exit(5);
}

// An interrupt while named temporary files are written removes them, and the process ends as
// the interrupt asks.
TEST(Interrupts, RemoveTemporaryFilesAndEndTheProcessAsTheInterruptAsks) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const SharedDir dir("sb_test_interrupt_removes");
  write_bytes(dir.file("x.dat"), "old");
  EXPECT_EXIT(
      {
        prepare_process();
        TemporaryFile first(dir.file("x.dat"));
        first.write("partly written");
        TemporaryFile second(dir.file("y.dat"));
        if (dir.entries().size() != 3) std::exit(3);
        interrupt_this_process();
        ::Sleep(20000);
        std::exit(4);  // not reached: the interrupt ends the process
      },
      ended_by_an_interrupt, "");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"x.dat"});
  EXPECT_EQ(read_bytes(dir.file("x.dat")), "old");
}

// While interrupts are deferred an interrupt waits; it takes effect when the last deferral
// ends.
TEST(Interrupts, DeferredUntilTheLastDeferralEnds) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const SharedDir dir("sb_test_interrupt_deferred");
  const std::string marker = dir.file("after the interrupt");
  EXPECT_EXIT(
      {
        prepare_process();
        {
          const InterruptsDeferred outer;
          {
            const InterruptsDeferred inner;
            interrupt_this_process();
            ::Sleep(500);  // the interrupt has arrived and waits
          }
          write_bytes(marker, "still running");
        }
        ::Sleep(20000);
        std::exit(4);  // not reached
      },
      ended_by_an_interrupt, "");
  EXPECT_TRUE(exists(marker));
}

}  // namespace
}  // namespace sb::test
