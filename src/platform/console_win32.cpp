// The window and the message box on Windows. A program started from a console shares it with
// the shell and writes its lines there; one started without a console of its own (double-
// clicked: Windows gives it a fresh console that nobody reads, and that closes with it) shows
// the small window labelled with the status, and the message box, instead.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/console.h"
#include "platform/status_window_win32.h"
#include "platform/wide_text_win32.h"

namespace sb {
namespace {

constexpr const wchar_t* kBoxTitle = L"scenario_builder";

StatusWindow g_status;

// True when nobody reads standard error: the process has no console, or one that no other
// process shares (made for it alone), and standard error is not redirected to a file or a
// pipe.
bool without_console() {
  static const bool alone = [] {
    DWORD ids[2] = {};
    if (::GetConsoleProcessList(ids, 2) > 1) return false;
    const HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
    if (err == nullptr || err == INVALID_HANDLE_VALUE) return true;
    const DWORD type = ::GetFileType(err);
    return type != FILE_TYPE_DISK && type != FILE_TYPE_PIPE;
  }();
  return alone;
}

}  // namespace

void show_status(std::string_view text) {
  if (g_status.label != nullptr) {
    ::SetWindowTextW(g_status.label, to_wide(text).c_str());
    ::UpdateWindow(g_status.label);
    return;
  }
  if (without_console()) g_status = open_status_window(text);
  if (g_status.window == nullptr) {
    write_error_line(text);
    return;
  }
  // The console that Windows opened for a double-clicked program would only show an empty
  // black window behind this one.
  DWORD ids[2] = {};
  if (::GetConsoleProcessList(ids, 2) == 1) {
    if (const HWND console = ::GetConsoleWindow()) ::ShowWindow(console, SW_HIDE);
  }
}

void close_status() {
  close_status_window(g_status);
}

void show_fatal(std::string_view text) {
  if (without_console() && ::MessageBoxW(g_status.window, to_wide(text).c_str(), kBoxTitle,
                                         MB_OK | MB_SETFOREGROUND) != 0) {
    return;
  }
  write_error_line(text);
}

void use_binary_standard_streams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

bool standard_error_is_terminal() {
  // A console shows colours once it interprets escape sequences (Windows 10 and later).
  const HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (err == nullptr || err == INVALID_HANDLE_VALUE || !::GetConsoleMode(err, &mode)) return false;
  return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
         ::SetConsoleMode(err, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

}  // namespace sb
