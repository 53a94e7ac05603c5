// The keywords the reader recognises, pass by pass, as one table: the words that must occur in
// a keyword field, whether case counts, how many values the entry reads and how an author
// writes it. The passes test the same words; the table also serves the warnings (a field that
// matches nothing is compared with these spellings) and the manual's check that it documents
// every keyword.
#pragma once

#include <string_view>

namespace sb {

// Where an entry is recognised: the general section of the line file, the rest of the line
// file, or the train file after its "[generale]".
enum class Pass { kGeneral, kBody, kTrain };

struct Keyword {
  Pass pass;
  std::string_view first;   // a word that must occur in the field
  std::string_view second;  // a second word that must occur too, in any order; empty if none
  bool case_sensitive;
  int values;                 // fields read after the keyword (the last one of a signboard or a
                              // station is a text field)
  std::string_view spelling;  // how an author writes it
};

inline constexpr Keyword kKeywords[] = {
    {Pass::kGeneral, "lunghezza", "percorso", false, 1, "lunghezza percorso"},
    {Pass::kGeneral, "tre", "progressiva", true, 3, "progressiva chilometrica tre"},
    {Pass::kGeneral, "due", "progressiva", true, 3, "progressiva chilometrica due"},
    {Pass::kGeneral, "uno", "progressiva", true, 3, "progressiva chilometrica uno"},
    {Pass::kGeneral, "sfondo", "uno", true, 1, "sfondo uno"},
    {Pass::kGeneral, "sfondo", "due", true, 1, "sfondo due"},
    {Pass::kGeneral, "sfondo", "tre", true, 1, "sfondo tre"},
    {Pass::kGeneral, "segnali", "ripetizione", true, 2, "ripetizione segnali 4 codici"},
    {Pass::kBody, "pendenza", "", false, 2, "pendenza"},
    {Pass::kBody, "curva", "", false, 2, "curvad4"},
    {Pass::kBody, "montagna", "", false, 3, "montagna"},
    {Pass::kBody, "indicatori_v", "", false, 9, "indicatori_vmax"},
    {Pass::kBody, "indicat", "cartello", false, 2, "indicatore cartello"},
    {Pass::kTrain, "frenata", "massa", false, 1, "percentuale massa frenata"},
    {Pass::kTrain, "vetture", "", false, 1, "numero vetture"},
    {Pass::kTrain, "velocit", "", false, 2, "velocita"},
    {Pass::kTrain, "aderenza", "", false, 2, "aderenza"},
    {Pass::kTrain, "orologio", "", false, 3, "orologio"},
    {Pass::kTrain, "sabbia", "", false, 1, "sabbia"},
    {Pass::kTrain, "segnale", "", false, 11, "segnale"},
    {Pass::kTrain, "rallentamento", "", false, 6, "rallentamento"},
    {Pass::kTrain, "abbattimento", "", false, 2, "abbattimento"},
    {Pass::kTrain, "stazione", "", false, 17, "stazione"},
};

}  // namespace sb
