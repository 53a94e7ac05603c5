#include "compiler/scenario_codes.h"

#include <string_view>

#include "model/code_page.h"

namespace sb {
namespace {

constexpr std::string_view kFill = "zzyyxxwwvvuuttssrrqqppkkjj";
constexpr int kSummed = 25;

// Puts the line name, then the scenario name, lower-cased in the single-byte code page and padded
// with the fill constant, into `text_line`, and returns the sum of its first 25 character codes,
// each multiplied by its position when `weighted`.
std::int32_t code_sum(Scenario& s, bool weighted) {
  std::string text = s.station_table[kLineSlot].name + s.station_table[kScenarioSlot].name;
  for (char& ch : text) ch = single_byte_lower(ch);
  text += kFill;
  s.text_line = text;
  std::int32_t sum = 0;
  for (int i = 1; i <= kSummed; ++i) {
    const auto c = static_cast<unsigned char>(s.text_line[static_cast<std::size_t>(i - 1)]);
    sum += weighted ? c * i : c;
  }
  return sum;
}

}  // namespace

std::int32_t codice_gara_og(Scenario& s) {
  return code_sum(s, false);
}
std::int32_t codice_gara_st(Scenario& s) {
  return code_sum(s, true);
}

}  // namespace sb
