#include "viewer/station_slots.h"

#include "format/record_layout.h"

namespace sb {
namespace {

bool numbers_all_zero(const StationRecord& record) {
  for (const auto& f : kStationRecordLayout) {
    if (!f.is_text() && f.number(record) != 0) return false;
  }
  return true;
}

bool in_station_area(int slot) {
  return slot >= 1 && slot <= kFirstSignboardSlot;
}

}  // namespace

bool is_empty_slot(const StationRecord& record) {
  return record.name.empty() && numbers_all_zero(record);
}

bool is_signboard_slot(int slot, const StationRecord& record) {
  return in_station_area(slot) && !record.name.empty() && numbers_all_zero(record);
}

bool is_station_slot(int slot, const StationRecord& record) {
  return in_station_area(slot) && !is_empty_slot(record) && !is_signboard_slot(slot, record);
}

std::string_view station_slot_label(int slot, const StationRecord& record) {
  if (is_empty_slot(record)) return "";
  if (is_signboard_slot(slot, record)) return "signboard";
  if (is_station_slot(slot, record)) return "station";
  switch (slot) {
    case 0:
      return "unused";
    case kChainageThreeSlot:
    case kChainageTwoSlot:
    case kChainageOneSlot:
      return "kilometric chainage references";
    case kTrainDataSlot:
      return "train data: braked mass %, line length, cars";
    case kScenarioSlot:
      return "scenario: backgrounds, name, marker 610, code";
    case kLineSlot:
      return "line: signal repetition, name, sand, clock";
    default:
      return "";
  }
}

}  // namespace sb
