// JSON values, read strictly and written compactly: the language server's messages, and the
// JSON that the program prints (diagnostics, dumps) read back. The reader refuses anything that
// is not JSON (raw control characters in strings, bad escapes, lone surrogates, trailing
// commas, bytes that are not UTF-8, leading zeros) and nesting deeper than `kJsonMaxDepth`.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sb {

// Arrays and objects nested deeper than this are refused, so that no message can exhaust the
// stack of the reader.
inline constexpr int kJsonMaxDepth = 200;

struct Json {
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
  Kind kind = Kind::kNull;
  bool boolean = false;
  double number = 0;
  std::string text;
  std::vector<Json> items;
  std::vector<std::pair<std::string, Json>> members;

  // Declared here and defaulted below the class: a member holds pairs of a string and a Json,
  // which are complete only there (clang's library checks refuse them any earlier).
  Json();
  Json(const Json&);
  Json(Json&&) noexcept;
  Json& operator=(const Json&);
  Json& operator=(Json&&) noexcept;
  ~Json();

  static Json object() { return with_kind(Kind::kObject); }
  static Json array() { return with_kind(Kind::kArray); }
  static Json string(std::string s) {
    Json v = with_kind(Kind::kString);
    v.text = std::move(s);
    return v;
  }
  static Json of(double n) {
    Json v = with_kind(Kind::kNumber);
    v.number = n;
    return v;
  }
  static Json of(bool b) {
    Json v = with_kind(Kind::kBool);
    v.boolean = b;
    return v;
  }

  bool is_null() const { return kind == Kind::kNull; }
  bool is_object() const { return kind == Kind::kObject; }
  bool is_string() const { return kind == Kind::kString; }
  bool is_number() const { return kind == Kind::kNumber; }

  // The member `key` of an object; throws when there is none.
  const Json& operator[](std::string_view key) const;
  // The member `key` of an object, or nullptr (also when this is not an object).
  const Json* find(std::string_view key) const;
  // Adds (or replaces) the member `key`; returns *this for chaining.
  Json& set(std::string key, Json value);
  Json& push(Json value) {
    items.push_back(std::move(value));
    return *this;
  }

 private:
  static Json with_kind(Kind k) {
    Json v;
    v.kind = k;
    return v;
  }
};

inline Json::Json() = default;
inline Json::Json(const Json&) = default;
inline Json::Json(Json&&) noexcept = default;
inline Json& Json::operator=(const Json&) = default;
inline Json& Json::operator=(Json&&) noexcept = default;
inline Json::~Json() = default;

// How the reader gives back the characters of strings.
enum class JsonStrings {
  kUtf8,        // every character as UTF-8
  kLatin1Bytes  // U+0000 to U+00FF as one byte each (the compiled files' names), others UTF-8
};

// Why a text is not JSON, with the byte offset where the reading stopped.
class JsonError : public std::runtime_error {
 public:
  JsonError(std::size_t offset, const std::string& what)
      : std::runtime_error("invalid JSON at " + std::to_string(offset) + ": " + what) {}
};

// Parses a whole JSON text (blanks around the value allowed, nothing else); throws JsonError.
Json parse_json(std::string_view text, JsonStrings strings = JsonStrings::kUtf8);

// The compact JSON text of a value. Strings that are not UTF-8 have their bytes above 127
// taken as Latin-1, so that the text is always valid JSON.
std::string to_json_text(const Json& value);

}  // namespace sb
