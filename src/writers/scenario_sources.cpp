#include "writers/builtin_sources.h"

namespace sb {

void write_scenario_sources(const Scenario& s) {
  dati_linea(s);
  dati_treno(s);
  dati_note(s);
  dati_rallentamenti(s);
  dati_scheda(s);
}

}  // namespace sb
