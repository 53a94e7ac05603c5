#include "driver/lsp/quick_fixes.h"

#include <optional>
#include <string>

#include "driver/lsp/protocol.h"

namespace sb {
namespace {

// The text quoted after `marker` up to the next quote: `did you mean "X"` gives X.
std::optional<std::string> quoted_after(std::string_view text, std::string_view marker) {
  const std::size_t at = text.find(marker);
  if (at == std::string_view::npos) return std::nullopt;
  const std::size_t start = at + marker.size();
  const std::size_t end = text.find('"', start);
  if (end == std::string_view::npos) return std::nullopt;
  return std::string(text.substr(start, end - start));
}

std::string text_of(const Json& j, std::string_view key) {
  const Json* v = j.find(key);
  return v != nullptr && v->is_string() ? v->text : std::string();
}

Json fix(const Document& d, const Json& diagnostic, std::string title, const Json& range,
         std::string new_text) {
  Json edit = Json::object().set("range", range).set("newText", Json::string(std::move(new_text)));
  Json changes = Json::object().set(d.uri, Json::array().push(std::move(edit)));
  return Json::object()
      .set("title", Json::string(std::move(title)))
      .set("kind", Json::string("quickfix"))
      .set("diagnostics", Json::array().push(diagnostic))
      .set("isPreferred", Json::of(true))
      .set("edit", Json::object().set("changes", std::move(changes)));
}

Json whole_line(const Document& d, std::int64_t n) {
  const std::string_view line = line_of(d.text, n);
  return rpc::range_json({n, 0}, {n, position_of(line, line.size()).character});
}

// "line 3 holds ..." in a text: 3, or 0.
std::int64_t line_named(std::string_view text) {
  const std::size_t at = text.find("line ");
  if (at == std::string_view::npos) return 0;
  std::int64_t n = 0;
  for (std::size_t i = at + 5; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    n = n * 10 + (text[i] - '0');
  }
  return n;
}

void add_fixes(const Document& d, const Json& diagnostic, Json& actions) {
  const Json& range = diagnostic["range"];
  const TextPosition start = rpc::position_from(range["start"]);
  const TextPosition end = rpc::position_from(range["end"]);
  const std::size_t from = utf8_offset(d.text, start);
  const std::size_t to = utf8_offset(d.text, end);
  const std::string field = d.text.substr(from, to > from ? to - from : 0);
  const std::string message = text_of(diagnostic, "message");
  const Json* code_json = diagnostic.find("code");
  const std::string code = code_json == nullptr     ? std::string()
                           : code_json->is_number() ? std::to_string(rpc::whole(*code_json))
                                                    : code_json->text;

  if (code == "unknown-keyword") {
    if (const auto meant = quoted_after(message, "did you mean \"")) {
      actions.push(fix(d, diagnostic, "Change to \"" + *meant + "\"", range, *meant));
    }
  }
  if (code == "keyword-case") {
    std::string lower = field;
    for (char& c : lower) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    actions.push(fix(d, diagnostic, "Write \"" + lower + "\" in lower case", range, lower));
  }
  if (code == "name-characters" && message.find("ends in blanks") != std::string::npos) {
    std::string trimmed = field;
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
    actions.push(fix(d, diagnostic, "Remove the blanks at the end of the name", range, trimmed));
  }
  if (code == "102" || code == "no-general-section") {
    // A line that nearly says "[generale]" is named in a note; else the section line goes first.
    std::int64_t near = 0;
    if (const Json* related = diagnostic.find("relatedInformation")) {
      for (const Json& r : related->items) {
        const std::string note = text_of(r, "message");
        if (note.find("did you mean \"[generale]\"") != std::string::npos) near = line_named(note);
      }
    }
    if (near > 0) {
      actions.push(fix(d, diagnostic, "Write \"[generale]\" on line " + std::to_string(near),
                       whole_line(d, near - 1), "[generale]"));
    } else {
      actions.push(fix(d, diagnostic, "Insert \"[generale]\" as the first line",
                       rpc::range_json({0, 0}, {0, 0}), "[generale]\n"));
    }
  }
  const std::string_view line = line_of(d.text, start.line);
  if (line.find('\t') != std::string_view::npos) {
    std::string spaced(line);
    for (char& c : spaced) c = c == '\t' ? ' ' : c;
    actions.push(fix(d, diagnostic,
                     "Replace the tabs on line " + std::to_string(start.line + 1) + " with blanks",
                     whole_line(d, start.line), spaced));
  }
}

}  // namespace

Json quick_fixes(const Document& d, const Json& diagnostics) {
  Json actions = Json::array();
  for (const Json& diagnostic : diagnostics.items) add_fixes(d, diagnostic, actions);
  return actions;
}

}  // namespace sb
