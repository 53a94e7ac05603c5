#include <sys/mman.h>

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

}  // namespace sb
