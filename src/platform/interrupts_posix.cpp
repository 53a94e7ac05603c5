#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "platform/interrupts.h"

namespace sb {
namespace {

constexpr int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP};

// Each slot holds a heap copy of a registered name, or null. The handler only reads the slots
// and unlinks, both safe inside a signal handler; a name is freed only after its slot has been
// cleared.
std::atomic<char*> g_names[RegisteredName::kMaxRegisteredNames];
static_assert(std::atomic<char*>::is_always_lock_free);

int g_deferred = 0;
sigset_t g_saved_mask;

void remove_registered_names() {
  for (std::atomic<char*>& slot : g_names) {
    if (const char* name = slot.load()) ::unlink(name);
  }
}

void on_interrupt(int sig) {
  remove_registered_names();
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

RegisteredName::RegisteredName(const std::string& path) {
  char* copy = ::strdup(path.c_str());
  if (copy == nullptr) return;
  for (int k = 0; k < kMaxRegisteredNames; ++k) {
    char* expected = nullptr;
    if (g_names[k].compare_exchange_strong(expected, copy)) {
      slot_ = k;
      return;
    }
  }
  std::free(copy);
}

RegisteredName::~RegisteredName() {
  if (slot_ < 0) return;
  std::free(g_names[slot_].exchange(nullptr));
}

}  // namespace sb
