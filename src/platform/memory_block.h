// Memory for large short-lived buffers.
#pragma once

#include <cstddef>

namespace sb {

// A block of at least `bytes` bytes, for a buffer that is filled over and over (the route
// matrix file is encoded through one). Where the system offers huge pages, the block lies in
// one, so that first using it costs one page fault instead of one per 4 KiB page (hundreds
// of microseconds on a virtual machine); elsewhere it is ordinary memory. Throws
// std::bad_alloc when no memory is left.
class MemoryBlock {
 public:
  explicit MemoryBlock(std::size_t bytes);
  ~MemoryBlock();
  MemoryBlock(const MemoryBlock&) = delete;
  MemoryBlock& operator=(const MemoryBlock&) = delete;

  char* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  void* mapping_ = nullptr;
  std::size_t mapped_ = 0;
};

// Asks the system to back [data, data + bytes) with memory now, in one call, instead of taking
// one page fault per page as the range is first written: on a virtual machine each fault costs
// tens of microseconds, and a large table written once from end to end takes one per 4 KiB.
// Only a hint: the contents are unchanged, and nothing happens where the system has no such
// call.
void prefault_memory(void* data, std::size_t bytes) noexcept;

}  // namespace sb
