#include "driver/decompile_warnings.h"

namespace sb {
namespace {

constexpr DecompileWarning kTable[] = {
    {.name = kNoRouteMatrix,
     .summary = "the curves are unknown: there is no route matrix file",
     .cause = "The scenario was compiled without its route plan (--no-geometry), so there is no "
              "route matrix file, and the curves are kept nowhere else. The recovered line file "
              "has no curve entry.",
     .example = "scenario_builder compile --no-geometry SCENARIO LINE\n"
                "scenario_builder decompile --out recovered SCENARIO LINE\n",
     .fix = "Decompile from a compile with the route plan if there is one; otherwise the "
            "recovered files give the same bytes again when compiled with --no-geometry. Add "
            "the curves by hand before compiling with the route plan."},
    {.name = kUnexplainedRoutePoints,
     .summary = "the route matrix file has points that no curve entry makes",
     .cause = "Some points of the route plan lie where no curve of any class and side would put "
              "them: the route matrix file was changed by hand, damaged, or written by another "
              "program. The curves that explain the rest are written; the metres named are "
              "where the recovered files make other points.",
     .example = "a route matrix file with a changed coordinate, then\n"
                "scenario_builder decompile SCENARIO LINE\n",
     .fix = "Compile the recovered files and compare the route plan with `plan` or `dump`; put "
            "the curves the author wanted there by hand."},
    {.name = kRecoveredErrorStop,
     .summary = "compiling the recovered files ends in the error stop",
     .cause = "The compiled files were written after the error stop (\" Errore n. 1250\"), so "
              "the entries recovered from them stop a compile again: no source without that "
              "fault gives these files.",
     .example = "scenario_builder compile --force SCENARIO LINE   (a compile that stops)\n"
                "scenario_builder decompile --out recovered SCENARIO LINE\n",
     .fix = "Look up the stop with `scenario_builder explain 1250` and mend the recovered "
            "files; they then compile to other bytes than the damaged ones."},
    {.name = kRecoveredFault,
     .summary = "compiling the recovered files reports a fault",
     .cause = "The compiled files were written with --force after a fault, or changed by hand, "
              "so the entries recovered from them give a fault when compiled again. The fault's "
              "code and message follow.",
     .example = "scenario_builder compile --force SCENARIO LINE   (a compile with a fault)\n"
                "scenario_builder decompile --out recovered SCENARIO LINE\n",
     .fix = "Look up the code with `scenario_builder explain CODE` and mend the recovered "
            "files."},
    {.name = kRoundTripDifference,
     .summary = "the recovered files compile to other bytes at this place",
     .cause = "A cell of the track file or a slot of the station file holds a value that no "
              "entry of the text files makes (a hand-edited or damaged file, or one compiled "
              "after a fault). The warning names the file, the cell or slot, the field, and the "
              "value in the file and compiled again; past twelve places the rest are counted.",
     .example = "a track file with one cell changed by hand, then\n"
                "scenario_builder decompile SCENARIO LINE\n",
     .fix = "Nothing recovers that value from a text file. Keep the recovered files if the "
            "difference does not matter, or mend them to give what the simulator should have."},
};

}  // namespace

std::span<const DecompileWarning> decompile_warnings() {
  return kTable;
}

const DecompileWarning* find_decompile_warning(std::string_view name) {
  for (const DecompileWarning& w : kTable) {
    if (w.name == name) return &w;
  }
  return nullptr;
}

std::string named_warning(std::string text, std::string_view name) {
  return std::move(text) + " [" + std::string(name) + "]";
}

}  // namespace sb
