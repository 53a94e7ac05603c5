// The train card: fixed text of its own, not computed from the station list.
#include "model/file_names.h"
#include "writers/builtin_sources.h"
#include "writers/line_table.h"

namespace sb {

std::span<const std::string_view> builtin_train_card_lines() {
  static constexpr std::string_view kLines[] = {
      "",
      "",
      "  ___________________                                               ______________",
      " |                   |                    SCHEDA                   |              |",
      " |   TRENO n.        |                   da: Roccalta              |    Vxxx C    |",
      " |___________________|                    a: Valfiorita            |     xxx%     |",
      "                                                                   |______________|",
      "  ___________________                ___________________",
      " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
      " |      LINEA 7      |              |      230T         |",
      " |___________________|              |___________________|",
      "",
      "  ________________________________________________________________________________",
      " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
      " | Lim.|Marc.|          |  Rs |                            |                |     |",
      " |_____|_____|__________|_____|____________________________|________________|_____|",
      " |     |     |          |     |                            |                |     |",
      " |  80 |     |          |     |     ROCCALTA               |     12.10      |     |",
      " |     |     |   0.800  |     |     VIA DEI GELSI          |                |     |",
      " |     |     |   1.500  |     |     S. ANNA DE CARPINETO   |                |     |",
      " |     |     |   2.250  |     |     CERRETELLA             |                |     |",
      " |     |     |   2.850  |     |     POGGI DI ROVERE        |                |     |",
      " |     |     |   3.600  |     |     PIOPPETELLO            |                |     |",
      " |     |     |   4.300  |     |     ROVERLELA              |                |     |",
      " |     |     |   5.100  |     |     MIRTETO                |                |     |",
      " |     |     |   5.900  |     |     BELVEDERINO            |                |     |",
      " |     |     |   6.600  |     |     PORTA DEI PESCI        |                |     |",
      " |     |     |   7.250  |     |     FAGGETO                |                |     |",
      " |     |     |   8.200  |     |     SALICI                 |                |     |",
      " |     |     |   8.850  |     |     ANFORETO               |                |     |",
      " |     |     |   9.900  |     |     TEATRO MINORE          |                |     |",
      " |     |     |  10.800  |     |     OBELISCO               |                |     |",
      " | 100 |     |  12.000  |     |     FRASCHETTA             |                |     |",
      " |     |     |  13.000  |     |     PIEVE S. MARCELLO      |                |     |",
      " |     |     |  13.700  |     |     GRECALE                |                |     |",
      " |  80 |     |  15.400  |     |     LAGO ROTONDO           |                |     |",
      " |     |     |  16.300  |     |     LAGO ARENELLE          |                |     |",
      " |     |     |  17.000  |     |     LAGO NEVI              |                |     |",
      " |     |     |  18.000  |     |     VALFIORITA             |                |     |",
      " |     |     |          |     |                            |                |     |",
      " |     |     |          |     |                            |                |     |",
      " |     |     |          |     |                            |                |     |",
      " |     |     |          |     |                            |                |     |",
      " |     |     |          |     |                            |                |     |",
      " |     |     |          |     |                            |                |     |",
      " |     |     |          |     |                            |                |     |",
      " |     |     |          |     |                            |                |     |",
      " |     |     |          |     |                            |                |     |",
      " |_____|_____|__________|_____|____________________________|________________|_____|",
      "",
  };
  return kLines;
}

void dati_scheda(const Scenario& s) {
  write_text_file(train_card_name(s), builtin_train_card_lines());
}

}  // namespace sb
