#include "driver/lsp/message_stream.h"

#include <algorithm>
#include <istream>
#include <ostream>

namespace sb {
namespace {

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
           return lower(x) == lower(y);
         });
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

FramedMessage malformed(std::string problem) {
  return {FramedMessage::Status::kMalformed, {}, std::move(problem)};
}

}  // namespace

FramedMessage MessageReader::next() {
  char piece[4096];
  while (skip_ > 0) {
    const auto n = static_cast<std::streamsize>(std::min(skip_, sizeof piece));
    in_.read(piece, n);
    if (in_.gcount() != n) return {};  // the stream ended inside the refused message
    skip_ -= static_cast<std::size_t>(n);
  }
  // The header block, up to its empty line.
  std::string header;
  for (;;) {
    const int c = in_.get();
    if (c == std::char_traits<char>::eof()) {
      if (header.empty()) return {};
      return malformed("the stream ended inside a header");
    }
    header += static_cast<char>(c);
    if (header.size() > kMaxHeaderBytes) return malformed("a header block above 4096 bytes");
    if (header.ends_with("\r\n\r\n")) break;
  }
  std::size_t length = 0;
  bool has_length = false;
  std::string_view rest(header.data(), header.size() - 4);
  for (;;) {
    const std::size_t end = rest.find("\r\n");
    const std::string_view line = rest.substr(0, end);
    if (line.find_first_of("\r\n") != std::string_view::npos) {
      return malformed("a header line not ended by CR LF");
    }
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return malformed("a header line without a colon");
    if (equal_ignoring_case(trimmed(line.substr(0, colon)), "Content-Length")) {
      const std::string_view digits = trimmed(line.substr(colon + 1));
      if (has_length) return malformed("two Content-Length headers");
      if (digits.empty() || digits.size() > 18 ||
          !std::all_of(digits.begin(), digits.end(), [](char d) { return d >= '0' && d <= '9'; })) {
        return malformed("a Content-Length that is not a number");
      }
      for (const char d : digits) length = length * 10 + static_cast<std::size_t>(d - '0');
      has_length = true;
    }
    if (end == std::string_view::npos) break;
    rest = rest.substr(end + 2);
  }
  if (!has_length) return malformed("a message without a Content-Length header");
  if (length > limit_) {
    // Refused at once; its body is read past, in pieces, before the next message.
    skip_ = length;
    return {FramedMessage::Status::kTooLarge,
            {},
            "a message of " + std::to_string(length) + " bytes, above the limit of " +
                std::to_string(limit_) + " bytes"};
  }
  FramedMessage m;
  m.status = FramedMessage::Status::kMessage;
  m.body.resize(length);
  in_.read(m.body.data(), static_cast<std::streamsize>(length));
  if (static_cast<std::size_t>(in_.gcount()) != length) {
    return malformed("the stream ended inside a message");
  }
  return m;
}

void write_message(std::ostream& out, const Json& message) {
  const std::string body = to_json_text(message);
  out << "Content-Length: " << body.size() << "\r\n\r\n" << body;
  out.flush();
}

}  // namespace sb
