// The documents an editor has open: their text as the editor holds it (UTF-8), the version the
// editor gave it, and what its file name says it is.
#pragma once

#include <cstdint>
#include <string>

#include "driver/lsp/json.h"
#include "driver/lsp/source_files.h"

namespace sb {

struct Document {
  std::string uri;
  std::string path;
  std::string text;
  std::int64_t version = 0;
  SourceName name;
};

// Applies one item of a change's contentChanges: the whole text, or a range (UTF-16 positions)
// and the text that replaces it. Throws std::runtime_error for an item that is neither.
void apply_change(std::string& text, const Json& change);

}  // namespace sb
