#include "platform/temporary_names.h"

namespace sb {
namespace {

#ifdef _WIN32
constexpr const char* kSeparators = "\\/";
#else
constexpr const char* kSeparators = "/";
#endif

std::string suffix(long pid, int attempt) {
  std::string text = ".tmp" + std::to_string(pid);
  if (attempt > 0) text += "." + std::to_string(attempt);
  return text;
}

// `leaf` cut to at most `room` bytes, at the start of a UTF-8 character.
std::string_view cut(std::string_view leaf, std::size_t room) {
  if (leaf.size() <= room) return leaf;
  std::size_t end = room;
  while (end > 0 && (static_cast<unsigned char>(leaf[end]) & 0xC0) == 0x80) --end;
  return leaf.substr(0, end);
}

std::string temporary_leaf(std::string_view leaf, long pid, int attempt) {
  const std::string tail = suffix(pid, attempt);
  return std::string(cut(leaf, kLongestFileName - tail.size())) + tail;
}

// The run of digits at the start of `text` as a number (at most 9 digits), or nothing.
std::optional<long> leading_number(std::string_view& text) {
  long value = 0;
  std::size_t i = 0;
  for (; i < text.size() && i < 9 && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
  }
  if (i == 0) return std::nullopt;
  text.remove_prefix(i);
  return value;
}

}  // namespace

std::string temporary_name(const std::string& target, long pid, int attempt) {
  const std::size_t slash = target.find_last_of(kSeparators);
  const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  return target.substr(0, start) +
         temporary_leaf(std::string_view(target).substr(start), pid, attempt);
}

std::optional<long> temporary_owner(std::string_view entry, std::string_view leaf) {
  // The suffix is the last ".tmp" of the name; what comes before it is the leaf, whole or cut.
  const std::size_t mark = entry.rfind(".tmp");
  if (mark == std::string_view::npos) return std::nullopt;
  std::string_view rest = entry.substr(mark + 4);
  const auto pid = leading_number(rest);
  if (!pid || *pid <= 0) return std::nullopt;
  long attempt = 0;
  if (!rest.empty()) {
    if (rest[0] != '.') return std::nullopt;
    rest.remove_prefix(1);
    const auto n = leading_number(rest);
    if (!n || *n <= 0 || *n >= kTemporaryNameAttempts || !rest.empty()) return std::nullopt;
    attempt = *n;
  }
  if (entry != temporary_leaf(leaf, *pid, static_cast<int>(attempt))) return std::nullopt;
  return pid;
}

}  // namespace sb
