// Windows speaks UTF-16; the rest of the program keeps its text in UTF-8 std::strings. These
// conversions are the one crossing between the two.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sb {

// UTF-8 to UTF-16, for names handed to the wide Windows API.
std::wstring to_wide(std::string_view utf8);

// UTF-16 to UTF-8, for names and texts that Windows hands back.
std::string to_utf8(std::wstring_view wide);

// The arguments of wmain after the program's own name, in UTF-8.
std::vector<std::string> utf8_arguments(int argc, wchar_t** argv);

// The system's text for a Windows error code, in UTF-8, without the line end.
std::string system_reason(unsigned long code);

}  // namespace sb
