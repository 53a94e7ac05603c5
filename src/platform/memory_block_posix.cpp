#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <new>

#include "platform/memory_block.h"

namespace sb {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

MemoryBlock::MemoryBlock(std::size_t bytes) : size_(bytes) {
  // A whole huge page, aligned to one: the system can only back an aligned 2 MiB range of a
  // mapping with a huge page. The slack around it is given back at once.
  const std::size_t whole = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  const std::size_t span = whole + kHugePage;
  void* const p = ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(p);
  const std::uintptr_t aligned = (start + kHugePage - 1) & ~(std::uintptr_t{kHugePage} - 1);
  if (aligned > start) ::munmap(p, aligned - start);
  const std::uintptr_t end = start + span;
  if (end > aligned + whole)
    ::munmap(reinterpret_cast<void*>(aligned + whole), end - (aligned + whole));
  mapping_ = reinterpret_cast<void*>(aligned);
  mapped_ = whole;
  // Only a hint: without huge pages the block is ordinary memory.
  ::madvise(mapping_, mapped_, MADV_HUGEPAGE);
  data_ = static_cast<char*>(mapping_);
}

MemoryBlock::~MemoryBlock() {
  ::munmap(mapping_, mapped_);
}

void prefault_memory(void* data, std::size_t bytes) noexcept {
#ifdef MADV_POPULATE_WRITE
  // Whole pages inside the range only: the pages at its edges may be shared with other data,
  // and they are one fault each at most.
  static const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (start + page - 1) & ~(page - 1);
  const std::uintptr_t end = (start + bytes) & ~(page - 1);
  if (page == 0 || bytes == 0 || end <= first) return;
  // Kernels before 5.14 do not know the advice and refuse it; the pages then fault as usual.
  ::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#else
  (void)data;
  (void)bytes;
#endif
}

}  // namespace sb
