// Quick fixes: for each diagnostic the editor hands back that has one obvious edit, that edit.
// The misspelt keyword becomes the one the warning suggests, a keyword with capitals its lower
// case, a name's trailing blanks go, tabs on the line become blanks, and a file without
// "[generale]" gets it (in place of a line that nearly says it, or as its first line).
#pragma once

#include "driver/lsp/documents.h"
#include "driver/lsp/json.h"

namespace sb {

// The code actions (kind "quickfix") for the diagnostics in a codeAction request's context.
Json quick_fixes(const Document& d, const Json& diagnostics);

}  // namespace sb
