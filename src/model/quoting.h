// Quoting of text taken from the author's files or the command line, for messages and
// listings: every character shown printably, so that no field can act on a terminal, and a
// long field cut short, so that no field can flood a message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sb {

// Fields quoted in messages are cut to this many bytes, with "…" after them.
inline constexpr std::size_t kQuotedBytes = 48;

// `text`, a field of the text files or a name of the compiled files, which are Windows-1252,
// in double quotes: each character shown as it is written when the output is read as UTF-8,
// escaped as platform/printable_text.h says otherwise. Cut after `limit` bytes of the text,
// marked with "…" (0: no limit). Names, paths and arguments echoed in messages, which are
// UTF-8, are quoted with echoed() from there, or quoted_utf8() below.
std::string quoted(std::string_view text, std::size_t limit = kQuotedBytes);

// The same without the quotes.
std::string printable(std::string_view text, std::size_t limit = kQuotedBytes);

// `text` taken as UTF-8 (what was typed on the command line, a file's name, the characters an
// author typed in a file saved as UTF-8), in double quotes, shown and cut as quoted() shows it.
std::string quoted_utf8(std::string_view text, std::size_t limit = kQuotedBytes);

// The same without the quotes.
std::string printable_utf8(std::string_view text, std::size_t limit = kQuotedBytes);

// How json_quoted shows bytes above 127.
enum class HighBytes {
  kWindows1252,  // each as the Windows-1252 character it stands for (\uXXXX), an undefined
                 // byte as the control character of its number: names in compiled files
  kUtf8IfValid   // as they are when the whole text is UTF-8, otherwise as kWindows1252: messages
};

// A JSON string literal, quotes included: quote and backslash escaped, control bytes and 127
// as \u00XX, bytes above 127 as `high` says. Valid JSON whatever the bytes.
std::string json_quoted(std::string_view text, HighBytes high);

}  // namespace sb
