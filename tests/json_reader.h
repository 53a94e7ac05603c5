// A small strict JSON reader for the tests: it refuses anything that is not valid JSON (raw
// control characters in strings, bad escapes, trailing commas, bytes that are not UTF-8) and
// gives back a tree to look values up in. Strings come back as bytes: \u0000 to \u00FF as
// one byte each (the compiled files' Latin-1 names), higher characters as UTF-8.
#pragma once

#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace sb::test {

struct Json {
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
  Kind kind = Kind::kNull;
  bool boolean = false;
  double number = 0;
  std::string text;
  std::vector<Json> items;
  std::vector<std::pair<std::string, Json>> members;

  bool is_null() const { return kind == Kind::kNull; }
  // The member `key` of an object; throws when there is none.
  const Json& operator[](std::string_view key) const {
    for (const auto& [k, v] : members) {
      if (k == key) return v;
    }
    throw std::runtime_error("no member " + std::string(key));
  }
};

class JsonReader {
 public:
  explicit JsonReader(std::string_view text) : s_(text) {}

  Json document() {
    Json v = value();
    space();
    if (i_ != s_.size()) fail("text after the value");
    return v;
  }

 private:
  [[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error("invalid JSON at " + std::to_string(i_) + ": " + what);
  }
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

  Json value() {
    space();
    if (i_ >= s_.size()) fail("missing value");
    Json v;
    const char c = s_[i_];
    if (c == '{') {
      ++i_;
      v.kind = Json::Kind::kObject;
      if (take('}')) return v;
      do {
        space();
        if (i_ >= s_.size() || s_[i_] != '"') fail("expected a member name");
        std::string key = string();
        expect(':');
        v.members.emplace_back(std::move(key), value());
      } while (take(','));
      expect('}');
    } else if (c == '[') {
      ++i_;
      v.kind = Json::Kind::kArray;
      if (take(']')) return v;
      do {
        v.items.push_back(value());
      } while (take(','));
      expect(']');
    } else if (c == '"') {
      v.kind = Json::Kind::kString;
      v.text = string();
    } else if (word("null")) {
    } else if (word("true")) {
      v.kind = Json::Kind::kBool;
      v.boolean = true;
    } else if (word("false")) {
      v.kind = Json::Kind::kBool;
    } else {
      v.kind = Json::Kind::kNumber;
      v.number = number();
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

  unsigned hex4() {
    if (i_ + 4 > s_.size()) fail("short \\u escape");
    unsigned v = 0;
    for (int k = 0; k < 4; ++k) {
      const char c = s_[i_++];
      v <<= 4;
      if (c >= '0' && c <= '9')
        v |= static_cast<unsigned>(c - '0');
      else if (c >= 'a' && c <= 'f')
        v |= static_cast<unsigned>(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F')
        v |= static_cast<unsigned>(c - 'A' + 10);
      else
        fail("bad \\u escape");
    }
    return v;
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
        // Only whole UTF-8 sequences may stand in a JSON text.
        const int more = (c & 0xE0) == 0xC0   ? 1
                         : (c & 0xF0) == 0xE0 ? 2
                         : (c & 0xF8) == 0xF0 ? 3
                                              : -1;
        if (more < 0) fail("byte that is not UTF-8");
        out += static_cast<char>(c);
        for (int k = 0; k < more; ++k) {
          if (i_ >= s_.size() || (static_cast<unsigned char>(s_[i_]) & 0xC0) != 0x80)
            fail("cut UTF-8 sequence");
          out += s_[i_++];
        }
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
          out += '"';
          break;
        case '\\':
          out += '\\';
          break;
        case '/':
          out += '/';
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
          const unsigned cp = hex4();
          if (cp <= 0xFF) {
            out += static_cast<char>(cp);
          } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
          } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
          }
          break;
        }
        default:
          fail("bad escape");
      }
    }
  }

  std::string_view s_;
  std::size_t i_ = 0;
};

// Parses a whole JSON text; throws std::runtime_error, with the offset, when it is not valid.
inline Json parse_json(std::string_view text) {
  return JsonReader(text).document();
}

}  // namespace sb::test
