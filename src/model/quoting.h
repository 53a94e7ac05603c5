// Quoting of text taken from the author's files or the command line, for messages and
// listings: every byte shown printably, so that no field can act on a terminal, and a long
// field cut short, so that no field can flood a message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sb {

// Fields quoted in messages are cut to this many bytes, with "…" after them.
inline constexpr std::size_t kQuotedBytes = 48;

// `text` in double quotes, every byte shown as printable_text (platform/printable_text.h)
// shows it. Cut after `limit` bytes of the text, marked with "…" (0: no limit). Names, paths
// and arguments echoed in messages are quoted with echoed() from there.
std::string quoted(std::string_view text, std::size_t limit = kQuotedBytes);

// The same without the quotes.
std::string printable(std::string_view text, std::size_t limit = kQuotedBytes);

// How json_quoted shows bytes above 127.
enum class HighBytes {
  kLatin1,      // each as the Latin-1 character it stands for (\u00XX): names in compiled files
  kUtf8IfValid  // as they are when the whole text is UTF-8, otherwise as kLatin1: messages
};

// A JSON string literal, quotes included: quote and backslash escaped, control bytes and 127
// as \u00XX, bytes above 127 as `high` says. Valid JSON whatever the bytes.
std::string json_quoted(std::string_view text, HighBytes high);

}  // namespace sb
