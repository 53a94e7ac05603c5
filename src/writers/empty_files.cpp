// The notes file and the slow-order file: the built-in scenario has neither notes nor slow
// orders of its own, so both are written with no line at all (zero bytes).
#include "model/file_names.h"
#include "writers/builtin_sources.h"
#include "writers/line_table.h"

namespace sb {

void dati_note(const Scenario& s) {
  write_text_file(notes_file_name(s), {});
}

void dati_rallentamenti(const Scenario& s) {
  write_text_file(slow_order_file_name(s), {});
}

}  // namespace sb
