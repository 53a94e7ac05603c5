// Fuzz target: the language server's message reader and JSON, and the server's handling of
// whatever the messages say.
//
// The input is a byte stream as an editor would write it on the server's standard input: it is
// cut into framed messages (with a small size limit, so that the skipping of oversized ones is
// reached too); every body is read as JSON, and a body that is JSON must write out as JSON
// that reads back to the same text. Every message then goes to a language server, which
// answers into nothing: an exception escaping it, a crash, a sanitizer report or a hang is a
// finding. The scenario checks themselves (the reader's own fuzz target covers them) are not run.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "driver/lsp/json.h"
#include "driver/lsp/message_stream.h"
#include "driver/lsp/server.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  sb::MessageReader reader(in, 16384);
  std::size_t replies = 0;
  sb::LanguageServer server([&](const sb::Json& m) { replies += sb::to_json_text(m).size(); });
  for (;;) {
    const sb::FramedMessage m = reader.next();
    if (m.status == sb::FramedMessage::Status::kEnd ||
        m.status == sb::FramedMessage::Status::kMalformed) {
      break;
    }
    if (m.status != sb::FramedMessage::Status::kMessage) continue;
    try {
      const sb::Json v = sb::parse_json(m.body);
      const std::string once = sb::to_json_text(v);
      if (sb::to_json_text(sb::parse_json(once)) != once) std::abort();
    } catch (const sb::JsonError&) {
      // Not JSON: the server answers it with a parse error below.
    }
    server.handle_text(m.body);
    if (server.exit_status()) break;
  }
  return 0;
}
