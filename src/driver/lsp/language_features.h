// What the editor asks about a place in a document: hover, signature help, completion and the
// outline. Each answers from the keyword table, the table of entry values and the explanations
// of faults and warnings; the answers are the protocol's JSON results.
#pragma once

#include <vector>

#include "driver/lsp/documents.h"
#include "driver/lsp/json.h"
#include "driver/lsp/position_hover.h"
#include "driver/lsp/text_positions.h"

namespace sb {

// On a diagnostic's range, the `explain` text of its code or warning; on a keyword, the entry's
// summary and values; on a value, its name and meaning and, for a position, its track cells and
// the limit of its range check. `diagnostics` are the ones last published for the document,
// `track` the line as its last check found it. null when there is nothing.
Json hover(const Document& d, TextPosition at, const std::vector<Json>& diagnostics,
           const TrackExtent& track = {});

// The entry's values with the one under the cursor active; null outside an entry.
Json signature_help(const Document& d, TextPosition at);

// In a line's first field: the keywords of that part of the file, as snippets with a
// placeholder per value, and the section names.
Json completion(const Document& d, TextPosition at);

// The stations, signals, slow orders, curves, speed boards, signboards and gradients, each
// with its position.
Json document_symbols(const Document& d);

}  // namespace sb
