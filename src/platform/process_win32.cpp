#include <windows.h>

#include <cstdlib>

#include "platform/process.h"

namespace sb {
namespace {

UINT g_console_page = 0;

void restore_console_page() {
  ::SetConsoleOutputCP(g_console_page);
}

}  // namespace

void prepare_process() {
  // The program's texts are UTF-8; a console shows them as such only in that code page.
  g_console_page = ::GetConsoleOutputCP();
  if (g_console_page != 0 && g_console_page != CP_UTF8 && ::SetConsoleOutputCP(CP_UTF8)) {
    std::atexit(restore_console_page);
  }
}

}  // namespace sb
