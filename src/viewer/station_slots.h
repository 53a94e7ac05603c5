// What each slot of a compiled station table holds: the stations fill slots 1, 2, 3, ...
// upwards, the signboard texts fill slots 80, 79, ... downwards, and slots 81 to 86 are the
// header of the scenario.
#pragma once

#include <string_view>

#include "model/station_record.h"

namespace sb {

// Every number zero and the name empty.
bool is_empty_slot(const StationRecord& record);

// A signboard slot carries only its text: a slot 1 to 80 with a name and every number zero.
// Any other non-empty slot 1 to 80 is a station.
bool is_signboard_slot(int slot, const StationRecord& record);
bool is_station_slot(int slot, const StationRecord& record);

// A short description of what the slot holds, for listings: "station", "signboard", the
// content of the header slots 81 to 86, "unused" for slot 0 (which is never filled), and ""
// for an empty slot or a slot outside the table.
std::string_view station_slot_label(int slot, const StationRecord& record);

}  // namespace sb
