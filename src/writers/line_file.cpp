// The built-in line file: the route, its curves, mountain-side stretches and speed boards.
#include "model/file_names.h"
#include "writers/builtin_sources.h"
#include "writers/line_table.h"

namespace sb {

std::span<const std::string_view> builtin_line_file_lines() {
  static constexpr std::string_view kLines[] = {
      "[generale]",
      "lunghezza percorso,    18000",
      "progressiva chilometrica uno,    0,    0,    0",
      "progressiva chilometrica due,    0,    0,    0",
      "progressiva chilometrica tre,    0,    0,    0",
      "sfondo uno,    1",
      "sfondo due,    0",
      "sfondo tre,    0",
      "ripetizione segnali 4 codici,    0    ,0",
      "[curve]",
      "curvad4,  1500,  550",
      "curvas2,  3000,  600",
      "curvad5,  4450,  250",
      "curvas4,  4950,  450",
      "curvas4,  6150,  400",
      "curvas4,  9000,  400",
      "curvad4,  9500,  300",
      "curvas5,  10300,  300",
      "curvad3,  11500,  300",
      "curvad3,  13650,  350",
      "curvas5,  15550,  500",
      "curvas3,  17050,  350",
      "[pendenze]",
      "[montagne]",
      "montagna,   3950,  10600,  12",
      "montagna,   11250,  11500,  2",
      "montagna,   12350,  12850,  2",
      "montagna,   14050,  14300,  2",
      "montagna,   15800,  17600,  12",
      "[cartelli]",
      "indicatori_vmax,  400,  80,  80,  80,  0,  80,  80,  80,  0",
      "indicatori_vmax,  10400,  60,  60,  60,  0,  60,  60,  60,  0",
      "indicatori_vmax,  12150,  100,  100,  100,  0,  100,  100,  100,  0",
      "indicatori_vmax,  15650,  80,  80,  80,  0,  80,  80,  80,  0",
      "[indicazioni]",
      "[fine]",
  };
  return kLines;
}

void dati_linea(const Scenario& s) {
  write_text_file(line_file_name(s), builtin_line_file_lines());
}

}  // namespace sb
