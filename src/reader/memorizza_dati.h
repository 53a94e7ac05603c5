// The reading step of a build: reads the line file and the train file into the model.
#pragma once

#include "model/scenario.h"

namespace sb {

// Reads the line file, then (after a clean line pass or a range fault) the train file, from
// the scenario's source folder. Faults are recorded in `error_code`, `error_position` and the
// fault log; every run-time failure ends the reading with `Fault::kUnreadable`.
void memorizza_dati(Scenario& s);

}  // namespace sb
