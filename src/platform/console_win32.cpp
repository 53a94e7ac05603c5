// The window and the message box on Windows. A program started from a console shares it with
// the shell and writes its lines there; one started without a console of its own (double-
// clicked: Windows gives it a fresh console that nobody reads, and that closes with it) shows
// the small window labelled with the status, and the message box, instead.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/console.h"
#include "platform/wide_text_win32.h"

namespace sb {
namespace {

// The window's measures in twips (1/1440 inch), turned into pixels of the screen.
constexpr int kClientWidth = 4200;
constexpr int kClientHeight = 2688;
constexpr int kLabelLeft = 960;
constexpr int kLabelTop = 960;
constexpr int kLabelWidth = 2652;
constexpr int kLabelHeight = 792;
constexpr int kFontPoints = 24;
constexpr const wchar_t* kWindowClass = L"scenario_builder.Form1";
constexpr const wchar_t* kCaption = L"Form1";
constexpr const wchar_t* kBoxTitle = L"scenario_builder";

HWND g_window = nullptr;
HFONT g_font = nullptr;

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

void write_line(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

// Handles the window messages that arrive while the window is being shown and repainted.
void pump_messages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

LRESULT CALLBACK form_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  return ::DefWindowProcW(window, message, w, l);
}

// Creates and shows the window with its one label; false when the system cannot show it.
bool open_window(std::string_view text) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW form{};
  form.cbSize = sizeof form;
  form.lpfnWndProc = form_procedure;
  form.hInstance = instance;
  form.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT));
  form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form.lpszClassName = kWindowClass;
  if (::RegisterClassExW(&form) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return false;
  }
  const HDC screen = ::GetDC(nullptr);
  const int dpi_x = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
  const int dpi_y = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ::ReleaseDC(nullptr, screen);
  const auto px = [](int twips, int dpi) { return ::MulDiv(twips, dpi, 1440); };

  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, px(kClientWidth, dpi_x), px(kClientHeight, dpi_y)};
  ::AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  g_window = ::CreateWindowExW(0, kWindowClass, kCaption, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                               frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                               instance, nullptr);
  if (g_window == nullptr) return false;
  const HWND label =
      ::CreateWindowExW(0, L"STATIC", to_wide(text).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT,
                        px(kLabelLeft, dpi_x), px(kLabelTop, dpi_y), px(kLabelWidth, dpi_x),
                        px(kLabelHeight, dpi_y), g_window, nullptr, instance, nullptr);
  // A sans-serif system font, 24 point, bold.
  g_font = ::CreateFontW(-::MulDiv(kFontPoints, dpi_y, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         VARIABLE_PITCH | FF_SWISS, L"MS Sans Serif");
  if (label != nullptr && g_font != nullptr) {
    ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(g_font), FALSE);
  }
  ::ShowWindow(g_window, SW_SHOWNORMAL);
  // Painted at once: the build that follows does not service the window's messages.
  ::RedrawWindow(g_window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  pump_messages();
  return true;
}

}  // namespace

void show_status(std::string_view text) {
  if (!without_console() || g_window != nullptr || !open_window(text)) {
    write_line(text);
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
  if (g_window == nullptr) return;
  ::DestroyWindow(g_window);
  g_window = nullptr;
  pump_messages();
  if (g_font != nullptr) ::DeleteObject(g_font);
  g_font = nullptr;
}

void show_fatal(std::string_view text) {
  if (without_console() &&
      ::MessageBoxW(g_window, to_wide(text).c_str(), kBoxTitle, MB_OK | MB_SETFOREGROUND) != 0) {
    return;
  }
  write_line(text);
}

}  // namespace sb
