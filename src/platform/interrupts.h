// Interrupts of a run (Ctrl-C, a request to terminate, a closed terminal) and the temporary
// files they must not leave behind.
#pragma once

#include <string>

namespace sb {

// Called once when the program starts. A write beyond the file size limit then fails with an
// error instead of ending the process, and an interrupt first removes every temporary file
// still registered (below) and then ends the process as that interrupt asks, with the usual
// status for it.
void prepare_process();

// While an object of this type lives, interrupts wait; they take effect once the last such
// object is gone. The output files are renamed into place under it, so that an interrupt
// cannot stop a set of files half renamed.
class InterruptsDeferred {
 public:
  InterruptsDeferred();
  ~InterruptsDeferred();
  InterruptsDeferred(const InterruptsDeferred&) = delete;
  InterruptsDeferred& operator=(const InterruptsDeferred&) = delete;
};

// A temporary file's name that an interrupt removes while the object is registered. At most
// kMaxRegisteredNames names are registered at once; a name beyond that is not removed by an
// interrupt (the next run clears it away as a stale temporary file).
class RegisteredName {
 public:
  static constexpr int kMaxRegisteredNames = 16;

  explicit RegisteredName(const std::string& path);
  ~RegisteredName();
  RegisteredName(const RegisteredName&) = delete;
  RegisteredName& operator=(const RegisteredName&) = delete;

 private:
  int slot_ = -1;
};

// Calls `visit` with every name registered now; safe inside a signal handler when `visit` is.
void for_each_registered_name(void (*visit)(const char* name));

}  // namespace sb
