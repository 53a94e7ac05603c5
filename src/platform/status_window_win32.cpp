#include "platform/status_window_win32.h"

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

bool register_form(HINSTANCE instance) {
  WNDCLASSEXW form{};
  form.cbSize = sizeof form;
  form.lpfnWndProc = form_procedure;
  form.hInstance = instance;
  form.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT));
  form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form.lpszClassName = kWindowClass;
  return ::RegisterClassExW(&form) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

StatusWindow open_status_window(std::string_view text) {
  StatusWindow w;
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  if (!register_form(instance)) return w;
  const HDC screen = ::GetDC(nullptr);
  const int dpi_x = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
  const int dpi_y = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ::ReleaseDC(nullptr, screen);
  const auto px = [](int twips, int dpi) { return ::MulDiv(twips, dpi, 1440); };

  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, px(kClientWidth, dpi_x), px(kClientHeight, dpi_y)};
  ::AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  w.window = ::CreateWindowExW(0, kWindowClass, kCaption, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                               frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                               instance, nullptr);
  if (w.window == nullptr) return w;
  w.label = ::CreateWindowExW(0, L"STATIC", to_wide(text).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT,
                              px(kLabelLeft, dpi_x), px(kLabelTop, dpi_y), px(kLabelWidth, dpi_x),
                              px(kLabelHeight, dpi_y), w.window, nullptr, instance, nullptr);
  // A sans-serif system font, 24 point, bold.
  w.font = ::CreateFontW(-::MulDiv(kFontPoints, dpi_y, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         VARIABLE_PITCH | FF_SWISS, L"MS Sans Serif");
  if (w.label != nullptr && w.font != nullptr) {
    ::SendMessageW(w.label, WM_SETFONT, reinterpret_cast<WPARAM>(w.font), FALSE);
  }
  ::ShowWindow(w.window, SW_SHOWNORMAL);
  ::RedrawWindow(w.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  pump_messages();
  return w;
}

void close_status_window(StatusWindow& w) {
  if (w.window != nullptr) {
    ::DestroyWindow(w.window);
    pump_messages();
  }
  if (w.font != nullptr) ::DeleteObject(w.font);
  w = StatusWindow{};
}

}  // namespace sb
