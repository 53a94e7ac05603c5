// The temporary names that an interrupt removes, the same on every system.
#include <atomic>
#include <cstdlib>
#include <cstring>

#include "platform/interrupts.h"

namespace sb {
namespace {

// Each slot holds a heap copy of a registered name, or null. An interrupt only reads the
// slots, which is safe inside a signal handler; a name is freed only after its slot has been
// cleared.
std::atomic<char*> g_names[RegisteredName::kMaxRegisteredNames];
static_assert(std::atomic<char*>::is_always_lock_free);

}  // namespace

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

void for_each_registered_name(void (*visit)(const char* name)) {
  for (std::atomic<char*>& slot : g_names) {
    if (const char* name = slot.load()) visit(name);
  }
}

}  // namespace sb
