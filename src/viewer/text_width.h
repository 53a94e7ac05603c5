// How much room a line of text takes in the picture, for placing labels so that they cover
// neither each other nor the symbols. The widths are those of the picture's first font, DejaVu
// Sans; a renderer that falls back to another sans-serif font draws text no wider.
#pragma once

#include <string_view>

namespace sb {

// The width of `bytes` (single-byte Windows-1252 text) at `font_size`, in the same units.
double text_width(std::string_view bytes, double font_size);

// The height of a line of text: the font's ascent and descent together.
double text_height(double font_size);

}  // namespace sb
