#include "viewer/text_escape.h"

#include <charconv>
#include <cmath>

#include "model/quoting.h"

namespace sb {
namespace {

std::string chars(double v, std::chars_format format, int precision) {
  char buffer[400];
  const auto r = precision < 0
                     ? std::to_chars(buffer, buffer + sizeof buffer, v, format)
                     : std::to_chars(buffer, buffer + sizeof buffer, v, format, precision);
  return std::string(buffer, r.ptr);
}

}  // namespace

std::string json_string(std::string_view bytes) {
  return json_quoted(bytes, HighBytes::kWindows1252);
}

std::string quoted_name(std::string_view bytes) {
  return quoted(bytes, 0);
}

std::string text_real(double v) {
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
  if (std::fabs(v) < 1e15) return chars(v, std::chars_format::fixed, 6);
  return chars(v, std::chars_format::general, -1);
}

std::string json_real(double v) {
  if (!std::isfinite(v)) return "null";
  // The shortest form of a whole number has no point or exponent; JSON reads it as a number
  // all the same.
  return chars(v, std::chars_format::general, -1);
}

}  // namespace sb
