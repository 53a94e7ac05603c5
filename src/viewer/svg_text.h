// Text and numbers for the SVG picture. Names come from the compiled files: single-byte text
// in the simulator's code page, Windows-1252, that may hold any byte, and must neither break
// the XML nor leave it invalid.
#pragma once

#include <string>
#include <string_view>

namespace sb {

// Character data or attribute value: & < > " ' as entities; bytes 0x80 to 0xFF as the
// Windows-1252 characters they stand for (&#xNNNN;); control bytes, which XML cannot hold at
// all, and the five bytes the code page leaves undefined, as U+FFFD. The result is plain
// ASCII.
std::string xml_text(std::string_view bytes);

// A coordinate with one decimal, the precision the picture needs.
std::string svg_number(double v);

}  // namespace sb
