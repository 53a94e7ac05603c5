// Interrupts on Windows: Ctrl-C, Ctrl-Break, the console window closed, the user logging off.
// The system calls the handler on a thread of its own; the handler waits while an output file
// is being renamed into place, removes the temporary files still registered, and ends the
// process as Windows ends it on Ctrl-C, with the status STATUS_CONTROL_C_EXIT.
#include <windows.h>

#include <cstdlib>

#include "platform/interrupts.h"
#include "platform/wide_text_win32.h"

namespace sb {
namespace {

SRWLOCK g_lock = SRWLOCK_INIT;
CONDITION_VARIABLE g_released = CONDITION_VARIABLE_INIT;
int g_deferred = 0;  // guarded by g_lock

UINT g_console_page = 0;

BOOL WINAPI on_console_event(DWORD /*event*/) {
  ::AcquireSRWLockExclusive(&g_lock);
  while (g_deferred > 0) ::SleepConditionVariableSRW(&g_released, &g_lock, INFINITE, 0);
  for_each_registered_name([](const char* name) { ::DeleteFileW(to_wide(name).c_str()); });
  // The lock stays taken, so that nothing starts a new rename before the process ends.
  ::ExitProcess(static_cast<UINT>(STATUS_CONTROL_C_EXIT));
}

void restore_console_page() {
  ::SetConsoleOutputCP(g_console_page);
}

}  // namespace

void prepare_process() {
  ::SetConsoleCtrlHandler(on_console_event, TRUE);
  // The program's texts are UTF-8; a console shows them as such only in that code page,
  // which goes back to what it was when the process ends.
  g_console_page = ::GetConsoleOutputCP();
  if (g_console_page != 0 && g_console_page != CP_UTF8 && ::SetConsoleOutputCP(CP_UTF8)) {
    std::atexit(restore_console_page);
  }
}

InterruptsDeferred::InterruptsDeferred() {
  ::AcquireSRWLockExclusive(&g_lock);
  ++g_deferred;
  ::ReleaseSRWLockExclusive(&g_lock);
}

InterruptsDeferred::~InterruptsDeferred() {
  ::AcquireSRWLockExclusive(&g_lock);
  if (--g_deferred == 0) ::WakeAllConditionVariable(&g_released);
  ::ReleaseSRWLockExclusive(&g_lock);
}

}  // namespace sb
