// Keyword tests on fields: substring searches, case-sensitive or not.
#pragma once

#include <string_view>

namespace sb {

bool contains(std::string_view field, std::string_view word);
bool contains_ignoring_case(std::string_view field, std::string_view word);

}  // namespace sb
