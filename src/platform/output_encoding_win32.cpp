#include <windows.h>

#include "platform/output_encoding.h"

namespace sb {

bool output_is_utf8() {
  // 0: no console, the messages go to a message box, which is given UTF-16 made from UTF-8.
  const UINT page = ::GetConsoleOutputCP();
  return page == 0 || page == CP_UTF8;
}

}  // namespace sb
