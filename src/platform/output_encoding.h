// Whether whoever reads the program's text output reads it as UTF-8, so that a name's accented
// letters and typographic quotes can be shown as themselves rather than as escapes.
#pragma once

namespace sb {

// True when the program's standard output and standard error are read as UTF-8: on POSIX
// systems when the locale's character set is UTF-8 (the first of LC_ALL, LC_CTYPE and LANG
// that is set and not empty names it; none set is the "C" locale, plain ASCII); on Windows
// when the console shows UTF-8 (the program asks it to at start-up), or when there is no
// console (a window's message box takes UTF-8 text).
bool output_is_utf8();

}  // namespace sb
