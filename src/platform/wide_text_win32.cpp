#include "platform/wide_text_win32.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace sb {

std::wstring to_wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  if (utf8.size() > INT_MAX) throw std::length_error("a text too long for the system");
  const int size = static_cast<int>(utf8.size());
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), n);
  return wide;
}

std::string to_utf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  if (wide.size() > INT_MAX) throw std::length_error("a text too long for the system");
  const int size = static_cast<int>(wide.size());
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), n, nullptr, nullptr);
  return utf8;
}

std::vector<std::string> utf8_arguments(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(to_utf8(argv[i]));
  return args;
}

std::string system_reason(unsigned long code) {
  wchar_t* text = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring reason = n > 0 && text != nullptr ? std::wstring(text, n) : std::wstring();
  if (text != nullptr) ::LocalFree(text);
  while (!reason.empty() && (reason.back() == L'\r' || reason.back() == L'\n' ||
                             reason.back() == L' ' || reason.back() == L'.')) {
    reason.pop_back();
  }
  if (reason.empty()) return "system error " + std::to_string(code);
  return to_utf8(reason);
}

}  // namespace sb
