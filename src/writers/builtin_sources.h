// The five scenario text files of the built-in scenario and their writers. Each writer
// replaces its file in the scenario's source folder.
#pragma once

#include <span>
#include <string_view>

#include "model/scenario.h"

namespace sb {

std::span<const std::string_view> builtin_line_file_lines();
std::span<const std::string_view> builtin_train_file_lines();
std::span<const std::string_view> builtin_train_card_lines();

void dati_linea(const Scenario& s);
void dati_treno(const Scenario& s);
void dati_scheda(const Scenario& s);
void dati_rallentamenti(const Scenario& s);
void dati_note(const Scenario& s);

// The five writers in the order of a run: line file, train file, notes, slow orders, card.
void write_scenario_sources(const Scenario& s);

}  // namespace sb
