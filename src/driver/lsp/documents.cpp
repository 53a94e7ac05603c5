#include "driver/lsp/documents.h"

#include <stdexcept>

#include "driver/lsp/protocol.h"

namespace sb {

void apply_change(std::string& text, const Json& change) {
  const Json& replacement = change["text"];
  if (!replacement.is_string()) throw std::runtime_error("a change without its text");
  const Json* range = change.find("range");
  if (range == nullptr) {
    text = replacement.text;
    return;
  }
  std::size_t start = utf8_offset(text, rpc::position_from((*range)["start"]));
  std::size_t end = utf8_offset(text, rpc::position_from((*range)["end"]));
  if (end < start) std::swap(start, end);
  text.replace(start, end - start, replacement.text);
}

}  // namespace sb
