// The reader's diagnostics as the editor shows them: the field's range in the editor's text,
// severity, code (the fault's number or the warning's name), the message as `check` words it,
// the notes as related information, and a link to the fault's or warning's section of the
// author's manual.
#pragma once

#include <string>
#include <string_view>

#include "driver/lsp/json.h"
#include "driver/lsp/text_positions.h"
#include "model/diagnostic.h"

namespace sb {

// The anchor of the manual's section on the diagnostic's fault or warning
// ("16-the-signals-cell-already-holds-an-object"); empty for a diagnostic without a code.
std::string manual_anchor(const Diagnostic& d);

// The address of the author's manual installed beside the program (the Windows folder's
// docs/, or the documentation folder of an installation), without an anchor.
std::string manual_uri();

// The protocol's diagnostic for `d` on a document with the editor's text (its `lines`) and
// `uri`. A diagnostic without a line stands at the start of the document.
Json protocol_diagnostic(const Diagnostic& d, const LineIndex& lines, const std::string& uri,
                         const std::string& manual);

}  // namespace sb
