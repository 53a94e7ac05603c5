// The route matrix file written while the reader computes the route plan, so that the plan
// never has to be held in memory: each point is encoded the moment it is computed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/route_matrix.h"
#include "platform/memory_block.h"
#include "platform/temporary_file.h"

namespace sb {

// The file is the component-0 values of metres 0 .. upper, then the component-1 values. The
// size of each half is known as soon as the route length is: a complete plan has metres 0
// and 1 as 16-bit integers, metres 2 .. upper - 2 as floats and the last two empty. So the
// first half is written from the start of the file and the second half from where the first
// one will end. A plan that the reading left incomplete (possible only after a fault) is put
// right by finish(): the metres never reached are written empty and the second half is moved
// to where the first half really ends.
class RouteMatrixStream final : public RouteSink {
 public:
  explicit RouteMatrixStream(TemporaryFile& file);
  ~RouteMatrixStream() override;

  void begin(std::int32_t upper) override;
  void int16_point(std::int32_t metre, std::int16_t x, std::int16_t y) override;
  // Encodes each point as the step that computes it is made: the encoding fills the time the
  // step's arithmetic waits for the step before.
  void steps(std::int32_t first, std::int32_t last, RouteTail& tail, double c,
             bool curved) override;

  // Completes the file; after it the file holds exactly what encode_route_matrix_file gives
  // for the same plan in memory. Throws PlatformError when the file cannot be written.
  void finish();

  // The bytes each half takes when the plan of metres 0 .. upper is complete.
  static std::uint64_t complete_half_bytes(std::int32_t upper);

 private:
  // One half of the file: the block being filled and how much of the half is in the file.
  struct Half {
    char* block = nullptr;
    std::size_t used = 0;      // bytes in the block
    std::uint64_t stored = 0;  // bytes of this half already handed to the file
  };

  void expect(std::int32_t first, std::size_t n);
  std::size_t room(int c) const;
  void flush(int c);
  void put_empty_tail();
  void move_second_half(std::uint64_t to, std::uint64_t size);

  TemporaryFile& file_;
  MemoryBlock blocks_;  // both halves' blocks
  std::int32_t upper_ = -1;
  std::int32_t next_ = 0;          // the next metre to arrive
  std::uint64_t second_half_ = 0;  // where the second half is written
  Half halves_[2];
  // Bytes of the first half beyond second_half_ (floats where a complete plan is empty), kept
  // until finish() has moved the second half out of their way.
  std::string first_half_excess_;
};

}  // namespace sb
