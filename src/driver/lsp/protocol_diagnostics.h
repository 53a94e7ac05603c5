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

// The author's manual for a program in `program_folder`: docs/authoring.md beside it (the
// Windows folder), share/doc/scenario_builder/docs/authoring.md beside its bin/ folder (an
// installation elsewhere), else `source_manual` (the source tree of a build tree). The first of
// them that exists; empty when none does.
std::string find_manual(const std::string& program_folder, const std::string& source_manual);

// The address of this program's manual (find_manual), without an anchor; empty when there is
// none, and the diagnostics then carry no link.
std::string manual_uri();

// The protocol's diagnostic for `d` on a document with the editor's text (its `lines`) and
// `uri`. A diagnostic without a line stands at the start of the document.
Json protocol_diagnostic(const Diagnostic& d, const LineIndex& lines, const std::string& uri,
                         const std::string& manual);

}  // namespace sb
