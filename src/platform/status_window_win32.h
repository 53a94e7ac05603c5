// The small window that shows the status while the built-in run works: caption "Form1", one
// label in a bold sans-serif 24 point font, measured in twips as the window was designed.
#pragma once

#include <windows.h>

#include <string_view>

namespace sb {

struct StatusWindow {
  HWND window = nullptr;  // null when the system cannot show a window
  HWND label = nullptr;
  HFONT font = nullptr;
};

// Creates the window with `text` as its label, shows it and paints it at once: the build that
// follows does not service the window's messages.
StatusWindow open_status_window(std::string_view text);

// Destroys the window and its font; `w` is empty afterwards.
void close_status_window(StatusWindow& w);

}  // namespace sb
