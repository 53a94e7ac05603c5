// A small well-formedness check of XML documents for the tests: one root element, tags that
// nest and close, quoted attribute values, only the predefined entities and character
// references to characters XML allows, no raw '<' or '&' in text, and UTF-8 bytes. The same
// walk can build the document's tree, to look elements up by name and class.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sb::test {

// An element of a parsed document. Text and attribute values come back with their references
// resolved: characters below 256 as one byte each (the compiled files' Latin-1 names), higher
// ones as UTF-8.
struct XmlElement {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;
  std::vector<std::unique_ptr<XmlElement>> children;
  std::string text;  // the character data directly inside the element, joined

  // The attribute's value, or "" when the element has none of that name.
  std::string attribute(std::string_view key) const {
    for (const auto& [k, v] : attributes) {
      if (k == key) return v;
    }
    return "";
  }
  bool has_class(std::string_view cls) const {
    const std::string classes = attribute("class");
    std::size_t at = 0;
    while (at < classes.size()) {
      const std::size_t end = std::min(classes.find(' ', at), classes.size());
      if (std::string_view(classes).substr(at, end - at) == cls) return true;
      at = end + 1;
    }
    return false;
  }
  // The first child element of that name, or null.
  const XmlElement* child(std::string_view child_name) const {
    for (const auto& c : children) {
      if (c->name == child_name) return c.get();
    }
    return nullptr;
  }
  // Every element below this one (itself included) whose class list holds `cls`, in
  // document order.
  void with_class(std::string_view cls, std::vector<const XmlElement*>& found) const {
    if (has_class(cls)) found.push_back(this);
    for (const auto& c : children) c->with_class(cls, found);
  }
  std::vector<const XmlElement*> with_class(std::string_view cls) const {
    std::vector<const XmlElement*> found;
    with_class(cls, found);
    return found;
  }
};

namespace xml_detail {

inline bool name_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_' || c == ':' || c == '.';
}

inline bool allowed_char(std::uint32_t cp) {
  return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) ||
         (cp >= 0xE000 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0x10FFFF);
}

inline void append_char(std::string& out, std::uint32_t cp) {
  if (cp < 0x100) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Checks the reference that starts at s[i] == '&'; moves i past it and appends the character
// it stands for to `out`. Returns "" or a problem.
inline std::string reference(std::string_view s, std::size_t& i, std::string& out) {
  const std::size_t end = s.find(';', i);
  if (end == std::string_view::npos || end - i > 12) return "'&' that starts no reference";
  const std::string_view ref = s.substr(i + 1, end - i - 1);
  i = end + 1;
  constexpr std::pair<std::string_view, char> kEntities[] = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  for (const auto& [entity, c] : kEntities) {
    if (ref == entity) {
      out += c;
      return "";
    }
  }
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
  append_char(out, cp);
  return "";
}

// Reads text up to `stop`, resolving references into `out`.
inline std::string text_run(std::string_view s, std::size_t& i, char stop, std::string& out) {
  while (i < s.size() && s[i] != stop) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c == '<') return "raw '<' in text or attribute";
    if (c == '&') {
      if (auto p = reference(s, i, out); !p.empty()) return p;
      continue;
    }
    if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') return "control character";
    out += s[i];
    ++i;
  }
  return "";
}

}  // namespace xml_detail

// "" when `doc` is well-formed, else what is wrong and where. With `root`, the document's
// root element is built into it.
inline std::string xml_problem(std::string_view s, XmlElement* root = nullptr) {
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
  std::vector<XmlElement*> elements;  // the open elements, when the tree is built
  XmlElement scratch;
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
      std::string text;
      if (auto p = text_run(s, i, '<', text); !p.empty()) return at(p);
      if (!elements.empty()) elements.back()->text += text;
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
      if (!elements.empty()) elements.pop_back();
      continue;
    }
    if (open.empty() && ++roots > 1) return at("second root element");
    XmlElement* element = &scratch;
    if (root && open.empty()) {
      element = root;
    } else if (root) {
      elements.back()->children.push_back(std::make_unique<XmlElement>());
      element = elements.back()->children.back().get();
    }
    element->name = name;
    std::vector<std::string> attributes;
    for (;;) {
      const std::size_t before = i;
      while (i < s.size() && (s[i] == ' ' || s[i] == '\n' || s[i] == '\t' || s[i] == '\r')) ++i;
      if (i >= s.size()) return at("unclosed tag");
      if (s[i] == '>') {
        ++i;
        open.push_back(name);
        if (root) elements.push_back(element);
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
      std::string value;
      if (auto p = text_run(s, i, quote, value); !p.empty()) return at(p);
      if (i >= s.size()) return at("unterminated attribute value");
      ++i;
      if (root) element->attributes.emplace_back(attribute, std::move(value));
    }
  }
  if (!open.empty()) return "element <" + open.back() + "> is never closed";
  if (roots != 1) return "no root element";
  return "";
}

}  // namespace sb::test
