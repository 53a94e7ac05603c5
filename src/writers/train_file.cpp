// The built-in train file: the train service, its 22 stations and the signal.
#include "model/file_names.h"
#include "writers/builtin_sources.h"
#include "writers/line_table.h"

namespace sb {

std::span<const std::string_view> builtin_train_file_lines() {
  static constexpr std::string_view kLines[] = {
      "[generale]",
      "numero vetture,    3",
      "percentuale massa frenata,    100",
      "sabbia,    0",
      "orologio,    12              9             50 ",
      "[aderenze]",
      "aderenza,   0,    100",
      "[vel_limite]",
      "velocita,   0,    30",
      "[stazioni]",
      "stazione,       0, 22,  400,  0, 0, 0,  0,0,0,  4,1,1,    1,  12,10, 0, ROCCALTA",
      "stazione,     800, 28,  300,  0, 0, 0,  0,0,0,  0,0,0,   60,  12,11, 1, VIA DEI GELSI",
      "stazione,    1500, 28,  300,  0, 0, 0,  0,0,0,  0,0,0,   60,  12,12, 1, S. ANNA DEL "
      "CARPINETO",
      "stazione,    2250, 28,  300,  0, 0, 0,  0,0,0,  0,0,0,   60,  12,13, 1, CERRETELLA",
      "stazione,    2900, 28,  300,  0, 0, 0,  0,0,0,  0,0,0,   60,  12,14, 1, POGGI DI ROVERE",
      "stazione,    3600, 28,  300,  0, 0, 0,  0,0,0,  0,0,0,   60,  12,15, 1, PIOPPETELLO",
      "stazione,    4350, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,   60,  12,16, 1, ROVERELLA",
      "stazione,    5100, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,   60,  12,17, 1, MIRTETO",
      "stazione,    5900, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,   60,  12,18, 1, BELVEDERINO",
      "stazione,    6600, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,   60,  12,19, 1, PORTA DEI PESCI",
      "stazione,    7250, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,   60,  12,20, 1, FAGGETO",
      "stazione,    8200, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,   60,  12,21, 1, SALICI",
      "stazione,    8850, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,   60,  12,22, 1, ANFORETO",
      "stazione,    9900, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,   60,  12,23, 1, TEATRO MINORE",
      "stazione,   10800, 22,  300,  0, 0, 0,  0,0,0,  3,1,1,   60,  12, 0, 1, OBELISCO",
      "stazione,   12000, 22,  300,  0, 0, 0,  0,0,0,  3,1,1,   60,  12, 0, 1, FRASCHETTA",
      "stazione,   13000, 22,  300,  0, 0, 0,  0,0,0,  3,1,1,   60,  12, 0, 1, PIEVE S. MARCELLO",
      "stazione,   13700, 22,  300,  0, 0, 0,  0,0,0,  4,1,1,   60,  12, 0, 1, GRECALE",
      "stazione,   15400, 22,  300,  0, 0, 0,  0,0,0,  3,1,1,   60,  12, 0, 1, LAGO ROTONDO",
      "stazione,   16300, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,   60,  12, 0, 1, LAGO ARENELLE",
      "stazione,   17000, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,   60,  12, 0, 1, LAGO NEVI",
      "stazione,   18000,  6,  400,  0, 0, 0,  1,1,0,  1,1,1,    1,   0, 0, 0, VALFIORITA",
      "[rallentamenti]",
      "[segnali]",
      "segnale,   14650,   2, 3, 0,  0, 0,    2,  2,0,0, 0",
      "[codici]",
      "[fine]",
  };
  return kLines;
}

void dati_treno(const Scenario& s) {
  write_text_file(train_file_name(s), builtin_train_file_lines());
}

}  // namespace sb
