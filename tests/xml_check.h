// A small well-formedness check of XML documents for the tests: one root element, tags that
// nest and close, quoted attribute values, only the predefined entities and character
// references to characters XML allows, no raw '<' or '&' in text, and UTF-8 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sb::test {

namespace xml_detail {

inline bool name_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_' || c == ':' || c == '.';
}

inline bool allowed_char(std::uint32_t cp) {
  return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) ||
         (cp >= 0xE000 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0x10FFFF);
}

// Checks the reference that starts at s[i] == '&'; moves i past it. Returns "" or a problem.
inline std::string reference(std::string_view s, std::size_t& i) {
  const std::size_t end = s.find(';', i);
  if (end == std::string_view::npos || end - i > 12) return "'&' that starts no reference";
  const std::string_view ref = s.substr(i + 1, end - i - 1);
  i = end + 1;
  if (ref == "amp" || ref == "lt" || ref == "gt" || ref == "quot" || ref == "apos") return "";
  if (ref.size() < 2 || ref[0] != '#') return "unknown entity &" + std::string(ref) + ";";
  const bool hex = ref[1] == 'x';
  const std::string digits(ref.substr(hex ? 2 : 1));
  if (digits.empty() || digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") !=
                            std::string::npos) {
    return "bad character reference &" + std::string(ref) + ";";
  }
  const auto cp = static_cast<std::uint32_t>(std::stoul(digits, nullptr, hex ? 16 : 10));
  if (!allowed_char(cp))
    return "reference to a character XML cannot hold: &" + std::string(ref) + ";";
  return "";
}

inline std::string text_run(std::string_view s, std::size_t& i, char stop) {
  while (i < s.size() && s[i] != stop) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c == '<') return "raw '<' in text or attribute";
    if (c == '&') {
      if (auto p = reference(s, i); !p.empty()) return p;
      continue;
    }
    if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') return "control character";
    ++i;
  }
  return "";
}

}  // namespace xml_detail

// "" when `doc` is well-formed, else what is wrong and where.
inline std::string xml_problem(std::string_view s) {
  using namespace xml_detail;
  // UTF-8: every byte from 0x80 up belongs to a whole sequence.
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const int more = c < 0x80             ? 0
                     : (c & 0xE0) == 0xC0 ? 1
                     : (c & 0xF0) == 0xE0 ? 2
                     : (c & 0xF8) == 0xF0 ? 3
                                          : -1;
    if (more < 0) return "byte that is not UTF-8 at " + std::to_string(i);
    for (int k = 1; k <= more; ++k) {
      if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
        return "cut UTF-8 sequence at " + std::to_string(i);
    }
    i += static_cast<std::size_t>(more) + 1;
  }
  std::vector<std::string> open;
  int roots = 0;
  std::size_t i = 0;
  auto at = [&](const std::string& what) { return what + " at byte " + std::to_string(i); };
  while (i < s.size()) {
    if (s[i] != '<') {
      if (open.empty()) {
        if (s[i] != ' ' && s[i] != '\n' && s[i] != '\r' && s[i] != '\t')
          return at("text outside the root");
        ++i;
        continue;
      }
      if (auto p = text_run(s, i, '<'); !p.empty()) return at(p);
      continue;
    }
    if (s.substr(i, 4) == "<!--") {
      const std::size_t end = s.find("-->", i + 4);
      if (end == std::string_view::npos) return at("unclosed comment");
      i = end + 3;
      continue;
    }
    if (s.substr(i, 2) == "<?") {
      if (i != 0 && !open.empty()) return at("processing instruction inside an element");
      const std::size_t end = s.find("?>", i + 2);
      if (end == std::string_view::npos) return at("unclosed declaration");
      i = end + 2;
      continue;
    }
    const bool closing = s.substr(i, 2) == "</";
    i += closing ? 2 : 1;
    const std::size_t name_start = i;
    while (i < s.size() && name_char(s[i])) ++i;
    const std::string name(s.substr(name_start, i - name_start));
    if (name.empty()) return at("tag without a name");
    if (closing) {
      while (i < s.size() && s[i] == ' ') ++i;
      if (i >= s.size() || s[i] != '>') return at("bad end tag");
      ++i;
      if (open.empty() || open.back() != name) return at("end tag </" + name + "> does not match");
      open.pop_back();
      continue;
    }
    if (open.empty() && ++roots > 1) return at("second root element");
    std::vector<std::string> attributes;
    for (;;) {
      const std::size_t before = i;
      while (i < s.size() && (s[i] == ' ' || s[i] == '\n' || s[i] == '\t' || s[i] == '\r')) ++i;
      if (i >= s.size()) return at("unclosed tag");
      if (s[i] == '>') {
        ++i;
        open.push_back(name);
        break;
      }
      if (s.substr(i, 2) == "/>") {
        i += 2;
        break;
      }
      if (i == before) return at("attributes must be separated by blanks");
      const std::size_t a = i;
      while (i < s.size() && name_char(s[i])) ++i;
      const std::string attribute(s.substr(a, i - a));
      if (attribute.empty() || i >= s.size() || s[i] != '=') return at("bad attribute");
      for (const auto& seen : attributes) {
        if (seen == attribute) return at("repeated attribute " + attribute);
      }
      attributes.push_back(attribute);
      ++i;
      if (i >= s.size() || (s[i] != '"' && s[i] != '\'')) return at("unquoted attribute value");
      const char quote = s[i++];
      if (auto p = text_run(s, i, quote); !p.empty()) return at(p);
      if (i >= s.size()) return at("unterminated attribute value");
      ++i;
    }
  }
  if (!open.empty()) return "element <" + open.back() + "> is never closed";
  if (roots != 1) return "no root element";
  return "";
}

}  // namespace sb::test
