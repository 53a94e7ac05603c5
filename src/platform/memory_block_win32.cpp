#include <windows.h>

#include <new>

#include "platform/memory_block.h"

namespace sb {

// Windows gives large pages only to a process that holds the "lock pages in memory" right,
// which an author's account does not: the block is ordinary committed memory.
MemoryBlock::MemoryBlock(std::size_t bytes) : size_(bytes) {
  const std::size_t whole = bytes == 0 ? 1 : bytes;
  mapping_ = ::VirtualAlloc(nullptr, whole, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (mapping_ == nullptr) throw std::bad_alloc();
  mapped_ = whole;
  data_ = static_cast<char*>(mapping_);
}

MemoryBlock::~MemoryBlock() {
  ::VirtualFree(mapping_, 0, MEM_RELEASE);
}

// Windows has no call that backs private memory ahead of its first write; the pages fault in
// as they are written.
void prefault_memory(void*, std::size_t) noexcept {}

}  // namespace sb
