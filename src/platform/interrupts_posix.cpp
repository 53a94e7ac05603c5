#include <signal.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/interrupts.h"

namespace sb {
namespace {

constexpr int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP};

int g_deferred = 0;
sigset_t g_saved_mask;

void on_interrupt(int sig) {
  for_each_registered_name([](const char* name) { ::unlink(name); });
  // The default action ends the process once the handler returns: the signal stays blocked
  // until then, and is raised again with its own disposition.
  struct sigaction dfl {};
  dfl.sa_handler = SIG_DFL;
  sigemptyset(&dfl.sa_mask);
  ::sigaction(sig, &dfl, nullptr);
  ::raise(sig);
}

sigset_t interrupt_set() {
  sigset_t set;
  sigemptyset(&set);
  for (const int sig : kInterrupts) sigaddset(&set, sig);
  return set;
}

}  // namespace

void prepare_process() {
  ::signal(SIGXFSZ, SIG_IGN);
  struct sigaction action {};
  action.sa_handler = on_interrupt;
  action.sa_mask = interrupt_set();
  for (const int sig : kInterrupts) {
    // An interrupt that the caller asked to ignore (a run started in the background with
    // "nohup", for instance) stays ignored.
    struct sigaction old {};
    if (::sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    ::sigaction(sig, &action, nullptr);
  }
}

InterruptsDeferred::InterruptsDeferred() {
  if (g_deferred++ > 0) return;
  const sigset_t set = interrupt_set();
  ::sigprocmask(SIG_BLOCK, &set, &g_saved_mask);
}

InterruptsDeferred::~InterruptsDeferred() {
  if (--g_deferred > 0) return;
  ::sigprocmask(SIG_SETMASK, &g_saved_mask, nullptr);
}

}  // namespace sb
