// Reporting of the faults recorded while reading and compiling, in the usual compiler form:
//   FILE:LINE: error CODE: MESSAGE (at POSITION m)
//   scenario_builder: error CODE: MESSAGE
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "model/fault.h"

namespace sb {

// Plain-English meaning of a fault code.
std::string fault_message(std::int32_t code);

// One line (without newline) for the fault.
std::string format_fault(const Fault& fault);

// Writes every fault of the log, one line each, in the order found.
void report_faults(const FaultLog& log, std::ostream& out);

}  // namespace sb
