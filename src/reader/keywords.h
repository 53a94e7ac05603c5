// The keywords the reader recognises, pass by pass, as one table: the words that must occur in
// a keyword field, whether case counts, how many values the entry reads and how an author
// writes it. The passes test the rows in the order of the table, each on the same field; the table
// also serves the warnings (a field that matches nothing is compared with these spellings) and the
// manual's check that it documents every keyword.
#pragma once

#include <string_view>

#include "model/diagnostic.h"
#include "reader/text_match.h"

namespace sb {

// Where an entry is recognised: the general section of the line file, the rest of the line
// file, or the train file after its "[generale]".
enum class Pass { kGeneral, kBody, kTrain };

struct Keyword {
  Pass pass;
  std::string_view first;   // a word that must occur in the field
  std::string_view second;  // a second word that must occur too, in any order; empty if none
  bool case_sensitive;
  int values;                    // fields read after the keyword (the last one of a signboard or a
                                 // station is a text field)
  std::string_view spelling;     // how an author writes it
  std::string_view called = {};  // what messages call the entry, when not its spelling

  constexpr std::string_view name() const { return called.empty() ? spelling : called; }
};

// The rows, by name, for the passes that read them.
namespace kw {

inline constexpr Keyword kRouteLength{Pass::kGeneral, "lunghezza", "percorso",
                                      false,          1,           "lunghezza percorso"};
inline constexpr Keyword kChainageThree{Pass::kGeneral, "tre", "progressiva",
                                        true,           3,     "progressiva chilometrica tre"};
inline constexpr Keyword kChainageTwo{Pass::kGeneral, "due", "progressiva",
                                      true,           3,     "progressiva chilometrica due"};
inline constexpr Keyword kChainageOne{Pass::kGeneral, "uno", "progressiva",
                                      true,           3,     "progressiva chilometrica uno"};
inline constexpr Keyword kBackgroundOne{Pass::kGeneral, "sfondo", "uno", true, 1, "sfondo uno"};
inline constexpr Keyword kBackgroundTwo{Pass::kGeneral, "sfondo", "due", true, 1, "sfondo due"};
inline constexpr Keyword kBackgroundThree{Pass::kGeneral, "sfondo", "tre", true, 1, "sfondo tre"};
inline constexpr Keyword kSignalRepetition{
    Pass::kGeneral,       "segnali", "ripetizione", true, 2, "ripetizione segnali 4 codici",
    "ripetizione segnali"};
inline constexpr Keyword kGradient{Pass::kBody, "pendenza", "", false, 2, "pendenza"};
// A curve's keyword carries its class digit and side, as in "curvad4".
inline constexpr Keyword kCurve{Pass::kBody, "curva", "", false, 2, "curvad4", "curva"};
inline constexpr Keyword kMountainSide{Pass::kBody, "montagna", "", false, 3, "montagna"};
inline constexpr Keyword kSpeedBoard{Pass::kBody, "indicatori_v", "", false, 9, "indicatori_vmax"};
inline constexpr Keyword kSignboard{Pass::kBody, "indicat", "cartello",
                                    false,       2,         "indicatore cartello"};
inline constexpr Keyword kBrakedMass{Pass::kTrain, "frenata", "massa",
                                     false,        1,         "percentuale massa frenata"};
inline constexpr Keyword kCars{Pass::kTrain, "vetture", "", false, 1, "numero vetture"};
inline constexpr Keyword kSpeed{Pass::kTrain, "velocit", "", false, 2, "velocita"};
inline constexpr Keyword kAdhesion{Pass::kTrain, "aderenza", "", false, 2, "aderenza"};
inline constexpr Keyword kClock{Pass::kTrain, "orologio", "", false, 3, "orologio"};
inline constexpr Keyword kSand{Pass::kTrain, "sabbia", "", false, 1, "sabbia"};
inline constexpr Keyword kSignal{Pass::kTrain, "segnale", "", false, 11, "segnale"};
inline constexpr Keyword kSlowOrder{Pass::kTrain, "rallentamento", "", false, 6, "rallentamento"};
inline constexpr Keyword kAbbattimentoPoint{Pass::kTrain,  "abbattimento", "", false, 2,
                                            "abbattimento"};
inline constexpr Keyword kStation{Pass::kTrain, "stazione", "", false, 17, "stazione"};

}  // namespace kw

inline constexpr Keyword kKeywords[] = {
    kw::kRouteLength,
    kw::kChainageThree,
    kw::kChainageTwo,
    kw::kChainageOne,
    kw::kBackgroundOne,
    kw::kBackgroundTwo,
    kw::kBackgroundThree,
    kw::kSignalRepetition,
    kw::kGradient,
    kw::kCurve,
    kw::kMountainSide,
    kw::kSpeedBoard,
    kw::kSignboard,
    kw::kBrakedMass,
    kw::kCars,
    kw::kSpeed,
    kw::kAdhesion,
    kw::kClock,
    kw::kSand,
    kw::kSignal,
    kw::kSlowOrder,
    kw::kAbbattimentoPoint,
    kw::kStation,
};

// The reader keeps the place of every value of an entry: no entry reads more than it can keep.
constexpr bool values_kept(int most) {
  for (const Keyword& k : kKeywords) {
    if (k.values > most) return false;
  }
  return true;
}
static_assert(values_kept(kMaxEntryValues));

// True when every word of the row occurs in `field`, with or without minding case.
inline bool matches_keyword(const Keyword& k, std::string_view field, bool mind_case) {
  const auto has = [&](std::string_view word) {
    return word.empty() ||
           (mind_case ? contains(field, word) : contains_ignoring_case(field, word));
  };
  return has(k.first) && has(k.second);
}

// True when the row takes `field`, minding case as the row says.
inline bool matches_keyword(const Keyword& k, std::string_view field) {
  return matches_keyword(k, field, k.case_sensitive);
}

}  // namespace sb
