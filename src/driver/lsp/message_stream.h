// The framing of the language server's messages on a byte stream: a header block of
// "Name: value" lines, each ended by "\r\n", then an empty line, then exactly Content-Length
// bytes of JSON. Reading never allocates more than the limit, whatever a header claims, and
// never waits for bytes that a header did not announce.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

#include "driver/lsp/json.h"

namespace sb {

// The largest message body read: an editor's whole file in one message, many times over.
inline constexpr std::size_t kMaxMessageBytes = 64u << 20;
// The largest header block, which no real header comes near.
inline constexpr std::size_t kMaxHeaderBytes = 4096;

struct FramedMessage {
  enum class Status {
    kMessage,    // `body` holds a whole message
    kEnd,        // the stream ended between messages
    kTooLarge,   // the body announced is above the limit; the next call reads past it
    kMalformed,  // the header block or the stream cannot be read: nothing after it can
  };
  Status status = Status::kEnd;
  std::string body;
  std::string problem;  // kTooLarge, kMalformed: what was wrong, for the error reply
};

class MessageReader {
 public:
  explicit MessageReader(std::istream& in, std::size_t limit = kMaxMessageBytes)
      : in_(in), limit_(limit) {}

  // The next message. After kEnd or kMalformed nothing more is read.
  FramedMessage next();

 private:
  std::istream& in_;
  std::size_t limit_;
  std::size_t skip_ = 0;  // bytes of a refused message still to read past
};

// Writes one message, framed, and flushes it.
void write_message(std::ostream& out, const Json& message);

}  // namespace sb
