#include "driver/lsp/json.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/quoting.h"
#include "platform/utf8.h"

namespace sb {
namespace {

class Reader {
 public:
  Reader(std::string_view text, JsonStrings strings) : s_(text), strings_(strings) {}

  Json document() {
    Json v = value(0);
    space();
    if (i_ != s_.size()) fail("text after the value");
    return v;
  }

 private:
  [[noreturn]] void fail(const std::string& what) const { throw JsonError(i_, what); }
  void space() {
    while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r'))
      ++i_;
  }
  bool take(char c) {
    space();
    if (i_ < s_.size() && s_[i_] == c) {
      ++i_;
      return true;
    }
    return false;
  }
  void expect(char c) {
    if (!take(c)) fail(std::string("expected '") + c + "'");
  }
  bool word(std::string_view w) {
    if (s_.substr(i_, w.size()) != w) return false;
    i_ += w.size();
    return true;
  }

  Json value(int depth) {
    space();
    if (i_ >= s_.size()) fail("missing value");
    Json v;
    const char c = s_[i_];
    if (c == '{' || c == '[') {
      if (depth >= kJsonMaxDepth) fail("nested too deeply");
      ++i_;
      v.kind = c == '{' ? Json::Kind::kObject : Json::Kind::kArray;
      const char close = c == '{' ? '}' : ']';
      if (take(close)) return v;
      do {
        if (c == '[') {
          v.items.push_back(value(depth + 1));
          continue;
        }
        space();
        if (i_ >= s_.size() || s_[i_] != '"') fail("expected a member name");
        std::string key = string();
        expect(':');
        v.members.emplace_back(std::move(key), value(depth + 1));
      } while (take(','));
      expect(close);
    } else if (c == '"') {
      v.kind = Json::Kind::kString;
      v.text = string();
    } else if (word("null")) {
    } else if (word("true")) {
      v.kind = Json::Kind::kBool;
      v.boolean = true;
    } else if (word("false")) {
      v.kind = Json::Kind::kBool;
    } else if (c == '-' || (c >= '0' && c <= '9')) {
      v.kind = Json::Kind::kNumber;
      v.number = number();
    } else {
      fail("unexpected character");
    }
    return v;
  }

  double number() {
    const std::size_t start = i_;
    auto digits = [&] {
      const std::size_t from = i_;
      while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
      if (i_ == from) fail("expected a digit");
    };
    if (i_ < s_.size() && s_[i_] == '-') ++i_;
    if (i_ < s_.size() && s_[i_] == '0') {
      ++i_;
    } else {
      digits();
    }
    if (i_ < s_.size() && s_[i_] == '.') {
      ++i_;
      digits();
    }
    if (i_ < s_.size() && (s_[i_] == 'e' || s_[i_] == 'E')) {
      ++i_;
      if (i_ < s_.size() && (s_[i_] == '+' || s_[i_] == '-')) ++i_;
      digits();
    }
    return std::strtod(std::string(s_.substr(start, i_ - start)).c_str(), nullptr);
  }

  char32_t hex4() {
    if (i_ + 4 > s_.size()) fail("short \\u escape");
    char32_t v = 0;
    for (int k = 0; k < 4; ++k) {
      const char c = s_[i_++];
      v <<= 4;
      if (c >= '0' && c <= '9')
        v |= static_cast<char32_t>(c - '0');
      else if (c >= 'a' && c <= 'f')
        v |= static_cast<char32_t>(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F')
        v |= static_cast<char32_t>(c - 'A' + 10);
      else
        fail("bad \\u escape");
    }
    return v;
  }

  // A \u escape, and the low surrogate's escape after a high one.
  char32_t escaped_character() {
    const char32_t first = hex4();
    if (first >= 0xDC00 && first <= 0xDFFF) fail("lone low surrogate");
    if (first < 0xD800 || first > 0xDBFF) return first;
    if (!word("\\u")) fail("high surrogate without its low surrogate");
    const char32_t second = hex4();
    if (second < 0xDC00 || second > 0xDFFF) fail("high surrogate without its low surrogate");
    return 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
  }

  // One UTF-8 sequence from its lead byte (already taken), checked whole: no overlong form,
  // no surrogate, nothing above U+10FFFF.
  void utf8_sequence(unsigned char lead, std::string& out) {
    const int more = (lead & 0xE0) == 0xC0   ? 1
                     : (lead & 0xF0) == 0xE0 ? 2
                     : (lead & 0xF8) == 0xF0 ? 3
                                             : -1;
    if (more < 0) fail("byte that is not UTF-8");
    char32_t cp = lead & (more == 1 ? 0x1F : more == 2 ? 0x0F : 0x07);
    const std::size_t from = i_ - 1;
    for (int k = 0; k < more; ++k) {
      if (i_ >= s_.size() || (static_cast<unsigned char>(s_[i_]) & 0xC0) != 0x80)
        fail("cut UTF-8 sequence");
      cp = (cp << 6) | (static_cast<unsigned char>(s_[i_++]) & 0x3F);
    }
    constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[more] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
      fail("byte that is not UTF-8");
    out.append(s_.substr(from, i_ - from));
  }

  std::string string() {
    ++i_;  // the opening quote
    std::string out;
    for (;;) {
      if (i_ >= s_.size()) fail("unterminated string");
      const auto c = static_cast<unsigned char>(s_[i_++]);
      if (c == '"') return out;
      if (c < 0x20) fail("raw control character in a string");
      if (c >= 0x80) {
        utf8_sequence(c, out);
        continue;
      }
      if (c != '\\') {
        out += static_cast<char>(c);
        continue;
      }
      if (i_ >= s_.size()) fail("unterminated escape");
      const char e = s_[i_++];
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out += e;
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          const char32_t cp = escaped_character();
          if (strings_ == JsonStrings::kLatin1Bytes && cp <= 0xFF) {
            out += static_cast<char>(cp);
          } else {
            append_utf8(out, cp);
          }
          break;
        }
        default:
          fail("bad escape");
      }
    }
  }

  std::string_view s_;
  JsonStrings strings_;
  std::size_t i_ = 0;
};

void write(const Json& v, std::string& out) {
  switch (v.kind) {
    case Json::Kind::kNull:
      out += "null";
      return;
    case Json::Kind::kBool:
      out += v.boolean ? "true" : "false";
      return;
    case Json::Kind::kNumber: {
      // Whole numbers as integers (ids, lines, columns); anything JSON cannot hold as null.
      if (!std::isfinite(v.number)) {
        out += "null";
      } else if (std::trunc(v.number) == v.number && std::fabs(v.number) < 9.0e15) {
        out += std::to_string(static_cast<long long>(v.number));
      } else {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.17g", v.number);
        out += buffer;
      }
      return;
    }
    case Json::Kind::kString:
      out += json_quoted(v.text, HighBytes::kUtf8IfValid);
      return;
    case Json::Kind::kArray:
      out += '[';
      for (std::size_t k = 0; k < v.items.size(); ++k) {
        if (k > 0) out += ',';
        write(v.items[k], out);
      }
      out += ']';
      return;
    case Json::Kind::kObject:
      out += '{';
      for (std::size_t k = 0; k < v.members.size(); ++k) {
        if (k > 0) out += ',';
        out += json_quoted(v.members[k].first, HighBytes::kUtf8IfValid);
        out += ':';
        write(v.members[k].second, out);
      }
      out += '}';
      return;
  }
}

}  // namespace

const Json& Json::operator[](std::string_view key) const {
  if (const Json* v = find(key)) return *v;
  throw std::runtime_error("no member " + std::string(key));
}

const Json* Json::find(std::string_view key) const {
  for (const auto& [k, v] : members) {
    if (k == key) return &v;
  }
  return nullptr;
}

Json& Json::set(std::string key, Json value) {
  kind = Kind::kObject;
  for (auto& [k, v] : members) {
    if (k == key) {
      v = std::move(value);
      return *this;
    }
  }
  members.emplace_back(std::move(key), std::move(value));
  return *this;
}

Json parse_json(std::string_view text, JsonStrings strings) {
  return Reader(text, strings).document();
}

std::string to_json_text(const Json& value) {
  std::string out;
  write(value, out);
  return out;
}

}  // namespace sb
