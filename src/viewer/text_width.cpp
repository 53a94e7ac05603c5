#include "viewer/text_width.h"

#include <array>

namespace sb {
namespace {

// Advance widths of the printable ASCII characters, space to '~', in 1/2048 of the font size.
constexpr std::array<unsigned short, 95> kAsciiWidths = {
    651,  821,  942,  1716, 1303, 1946, 1597, 563,  799,  799,  1024, 1716, 651,  739,  651,  690,
    1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 690,  690,  1716, 1716, 1716, 1087,
    2048, 1401, 1405, 1430, 1577, 1294, 1178, 1587, 1540, 604,  604,  1343, 1141, 1767, 1532, 1612,
    1235, 1612, 1423, 1300, 1251, 1499, 1401, 2025, 1403, 1251, 1403, 799,  690,  799,  1716, 1024,
    1024, 1255, 1300, 1126, 1300, 1260, 721,  1300, 1298, 569,  569,  1186, 569,  1995, 1298, 1253,
    1300, 1300, 842,  1067, 803,  1298, 1212, 1675, 1212, 1212, 1075, 1303, 690,  1303, 1716};
// Any other byte: a Windows-1252 letter or sign, or the replacement character drawn for a
// control byte.
constexpr unsigned short kOtherWidth = 1640;
constexpr double kUnitsPerEm = 2048;
// Ascent plus descent of the font, in the same units.
constexpr double kLineHeight = 1901 + 483;

}  // namespace

double text_width(std::string_view bytes, double font_size) {
  double units = 0;
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    units += c >= 0x20 && c < 0x7F ? kAsciiWidths[c - 0x20] : kOtherWidth;
  }
  return units / kUnitsPerEm * font_size;
}

double text_height(double font_size) {
  return kLineHeight / kUnitsPerEm * font_size;
}

}  // namespace sb
