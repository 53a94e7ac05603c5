#include "platform/printable_text.h"

#include "platform/output_encoding.h"
#include "platform/utf8.h"

namespace sb {
namespace {

constexpr char kHex[] = "0123456789abcdef";

void append_escaped(std::string& out, unsigned char c) {
  out += "\\x";
  out += kHex[c >> 4];
  out += kHex[c & 0xF];
}

void append_ascii(std::string& out, unsigned char c) {
  if (c == '"' || c == '\\') {
    out += '\\';
    out += static_cast<char>(c);
  } else if (c >= 0x20 && c < 0x7F) {
    out += static_cast<char>(c);
  } else if (c == '\t') {
    out += "\\t";
  } else if (c == '\n') {
    out += "\\n";
  } else if (c == '\r') {
    out += "\\r";
  } else {
    append_escaped(out, c);
  }
}

// A character above 127 that a reader sees as what it is. The others draw nothing or look
// like a blank, and would hide what the text holds.
bool visible(char32_t c) {
  if (c < 0xA0 || c == 0xA0 || c == 0xAD || c == 0xFEFF) return false;
  if (c >= 0x200B && c <= 0x200F) return false;    // zero-width spaces, direction marks
  if (c >= 0x2028 && c <= 0x202F) return false;    // line separators, direction embeddings
  if (c >= 0x2060 && c <= 0x206F) return false;    // word joiner, invisible operators, isolates
  if (c >= 0xE0000 && c <= 0xE007F) return false;  // tag characters
  return c < 0xFFF0 || c > 0xFFFF;  // not the specials, nor the replacement character
}

// `text` cut after `limit` bytes (0: none); `cut` tells whether it was.
std::string_view cut_text(std::string_view text, std::size_t limit, bool& cut) {
  cut = limit > 0 && text.size() > limit;
  return cut ? text.substr(0, limit) : text;
}

std::string with_cut_mark(std::string out, bool cut) {
  if (cut) out += "\xE2\x80\xA6";  // "…"
  return out;
}

}  // namespace

std::string printable_text(std::string_view text, std::size_t limit) {
  const bool unicode = output_is_utf8();
  bool cut = false;
  const std::string_view whole = text;
  text = cut_text(text, limit, cut);
  // A shown character is not cut in two: the cut moves back to its first byte.
  if (cut && unicode) {
    std::size_t start = text.size();
    while (start > 0 && text.size() - start < 3 &&
           (static_cast<unsigned char>(whole[start]) & 0xC0) == 0x80) {
      --start;
    }
    char32_t c = 0;
    const std::size_t n = utf8_character(whole, start, c);
    if (n > 0 && start + n > text.size()) text = text.substr(0, start);
  }
  std::string out;
  out.reserve(text.size() + 2);
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    char32_t c = 0;
    const std::size_t n = b < 0x80 ? 1 : utf8_character(text, i, c);
    if (b < 0x80) {
      append_ascii(out, b);
    } else if (n > 0 && unicode && visible(c)) {
      out.append(text.substr(i, n));
    } else {
      for (std::size_t k = 0; k < (n > 0 ? n : 1); ++k) {
        append_escaped(out, static_cast<unsigned char>(text[i + k]));
      }
    }
    i += n > 0 ? n : 1;
  }
  return with_cut_mark(std::move(out), cut);
}

std::string printable_text(std::string_view text, std::size_t limit,
                           const CodePageHighHalf& code_page) {
  const bool unicode = output_is_utf8();
  bool cut = false;
  text = cut_text(text, limit, cut);
  std::string out;
  out.reserve(text.size() + 2);
  for (const char ch : text) {
    const auto b = static_cast<unsigned char>(ch);
    const char32_t c = b < 0x80 ? b : code_page[b - 0x80];
    if (b < 0x80) {
      append_ascii(out, b);
    } else if (unicode && visible(c)) {
      append_utf8(out, c);
    } else {
      append_escaped(out, b);
    }
  }
  return with_cut_mark(std::move(out), cut);
}

std::string echoed(std::string_view text) {
  return "\"" + printable_text(text, kEchoedBytes) + "\"";
}

}  // namespace sb
