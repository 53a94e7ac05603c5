#include "driver/lsp/language_features.h"

#include <string>

#include "driver/explanations.h"
#include "driver/lsp/entry_lines.h"
#include "driver/lsp/position_hover.h"
#include "driver/lsp/protocol.h"
#include "reader/entry_values.h"
#include "reader/reader_support.h"

namespace sb {
namespace {

// The section lines of each file, as the built-in files use them.
constexpr std::string_view kLineSections[] = {
    "[generale]", "[curve]", "[pendenze]", "[montagne]", "[cartelli]", "[indicazioni]", "[fine]"};
constexpr std::string_view kTrainSections[] = {
    "[generale]", "[aderenze]", "[stazioni]", "[rallentamenti]", "[segnali]", "[codici]", "[fine]"};

// Protocol numbers: CompletionItemKind, InsertTextFormat, SymbolKind, MarkupKind.
constexpr double kCompletionKeyword = 14;
constexpr double kCompletionModule = 9;
constexpr double kSnippetFormat = 2;

struct Place {
  std::string_view line;
  DocumentPart part = DocumentPart::kNone;
  EntryLine entry;
  std::size_t column = 0;  // bytes into the line
};

Place place_of(const Document& d, TextPosition at) {
  Place p;
  p.line = line_of(d.text, at.line);
  p.part = part_at(d.text, at.line, d.name.kind);
  p.entry = entry_line(p.line, p.part);
  const std::size_t line_start = utf8_offset(d.text, {at.line, 0});
  p.column = utf8_offset(d.text, at) - line_start;
  return p;
}

Json markdown(std::string text) {
  return Json::object()
      .set("kind", Json::string("markdown"))
      .set("value", Json::string(std::move(text)));
}

std::string values_table(const EntryValues& row) {
  std::string text = "| # | value | unit | range | becomes |\n|---|---|---|---|---|\n";
  for (std::size_t k = 0; k < row.values.size(); ++k) {
    const EntryValue& v = row.values[k];
    text += "| " + std::to_string(k + 1) + " | " + std::string(v.name) + " | " +
            std::string(v.unit) + " | " + std::string(v.range) + " | " + std::string(v.becomes) +
            " |\n";
  }
  return text;
}

std::string keyword_text(const Keyword& k) {
  std::string text = "**" + std::string(k.spelling) + "**";
  const EntryValues* row = find_entry_values(k);
  if (row == nullptr) return text;
  return text + ": " + std::string(row->summary) + "\n\n" + values_table(*row);
}

// A value's hover: its name, what it takes and what it becomes and, for a position, where the
// entry lands. The range check of a position is told by its limit on this line.
std::string value_text(const Document& d, TextPosition at, const Place& p, std::size_t index,
                       const TrackExtent& track) {
  const Keyword& k = *p.entry.keyword;
  const EntryValues* row = find_entry_values(k);
  if (row == nullptr || index == 0 || index > row->values.size()) return {};
  const EntryValue& v = row->values[index - 1];
  std::string text = "**" + std::string(v.name) + "**";
  if (!v.unit.empty()) text += " (" + std::string(v.unit) + ")";
  text += ": value " + std::to_string(index) + " of \"" + std::string(k.spelling) + "\", " +
          std::string(row->summary) + ".";
  if (const std::string lands = landing_text(d, at.line, p.line, p.entry, index); !lands.empty()) {
    text += "\n\n" + lands;
  }
  constexpr std::string_view kRangeCheck = "range check";
  std::string range(v.range);
  if (range.starts_with(kRangeCheck)) {
    range = range_check_text(track, kEntryMargin) + range.substr(kRangeCheck.size());
  }
  if (!range.empty()) text += "\n\nTakes " + range + ".";
  if (k.spelling == kw::kStation.spelling && index == 1) {
    text += "\n\nOn this line: " + range_check_text(track, kStationMargin) + ".";
  }
  text += "\n\nIn the compiled files: " + std::string(v.becomes) + ".";
  return text;
}

bool inside(const Json& range, TextPosition at) {
  const TextPosition start = rpc::position_from(range["start"]);
  const TextPosition end = rpc::position_from(range["end"]);
  const auto before = [](TextPosition a, TextPosition b) {
    return a.line < b.line || (a.line == b.line && a.character <= b.character);
  };
  return before(start, at) && before(at, end);
}

std::string explanation_text(const Json& diagnostic) {
  const Json* code = diagnostic.find("code");
  if (code == nullptr) return {};
  const std::string key = code->is_number() ? std::to_string(rpc::whole(*code)) : code->text;
  const Explanation* e = find_explanation(key);
  if (e == nullptr) return {};
  std::string text = (e->code != 0 ? "**error " : "**warning ") + key +
                     "**: " + explanation_summary(*e) + "\n\n" + std::string(e->cause);
  return text + "\n\n" + std::string(e->fix);
}

std::string snippet(const Keyword& k) {
  std::string text(k.spelling);
  const EntryValues* row = find_entry_values(k);
  if (row == nullptr) return text;
  for (std::size_t i = 0; i < row->values.size(); ++i) {
    std::string name(row->values[i].name);
    for (char& c : name) {
      if (c == '}' || c == '$' || c == '\\' || c == ',') c = ' ';
    }
    text += ", ${" + std::to_string(i + 1) + ":" + name + "}";
  }
  return text;
}

// Outline: which keywords are shown, what they are called and their symbol kind.
struct OutlineKind {
  const Keyword* keyword;
  const char* what;
  double symbol_kind;  // SymbolKind: Class 5, Function 12, Constant 14, String 15, Number 16,
                       // Event 24
};
constexpr OutlineKind kOutline[] = {
    {&kw::kStation, "station", 5},         {&kw::kSignal, "signal", 24},
    {&kw::kSlowOrder, "slow order", 24},   {&kw::kCurve, "curve", 12},
    {&kw::kSpeedBoard, "speed board", 14}, {&kw::kSignboard, "signboard", 15},
    {&kw::kGradient, "gradient", 16},
};

}  // namespace

Json hover(const Document& d, TextPosition at, const std::vector<Json>& diagnostics,
           const TrackExtent& track) {
  std::string text;
  for (const Json& diagnostic : diagnostics) {
    if (!inside(diagnostic["range"], at)) continue;
    const std::string explained = explanation_text(diagnostic);
    if (!explained.empty() && text.find(explained) == std::string::npos) {
      text += (text.empty() ? "" : "\n\n---\n\n") + explained;
    }
  }
  const Place p = place_of(d, at);
  if (p.entry.keyword != nullptr) {
    const std::size_t index = field_index_at(p.entry, p.line, p.column);
    const std::string about =
        index == 0 ? keyword_text(*p.entry.keyword) : value_text(d, at, p, index, track);
    if (!about.empty()) text += (text.empty() ? "" : "\n\n---\n\n") + about;
  }
  if (text.empty()) return {};
  return Json::object().set("contents", markdown(std::move(text)));
}

Json signature_help(const Document& d, TextPosition at) {
  const Place p = place_of(d, at);
  if (p.entry.keyword == nullptr) return {};
  const EntryValues* row = find_entry_values(*p.entry.keyword);
  if (row == nullptr) return {};
  std::string label(p.entry.keyword->spelling);
  Json parameters = Json::array();
  for (const EntryValue& v : row->values) {
    label += ", ";
    const auto start = static_cast<double>(position_of(label, label.size()).character);
    label += v.name;
    const auto end = static_cast<double>(position_of(label, label.size()).character);
    std::string about = std::string(v.unit.empty() ? "" : "(" + std::string(v.unit) + ") ") +
                        std::string(v.range) + (v.range.empty() ? "" : "; ") + "becomes " +
                        std::string(v.becomes);
    parameters.push(Json::object()
                        .set("label", Json::array().push(Json::of(start)).push(Json::of(end)))
                        .set("documentation", Json::string(std::move(about))));
  }
  const std::size_t index = field_index_at(p.entry, p.line, p.column);
  const double active = index == 0 ? 0 : static_cast<double>(index - 1);
  Json signature = Json::object()
                       .set("label", Json::string(label))
                       .set("documentation", Json::string(std::string(row->summary)))
                       .set("parameters", std::move(parameters))
                       .set("activeParameter", Json::of(active));
  return Json::object()
      .set("signatures", Json::array().push(std::move(signature)))
      .set("activeSignature", Json::of(0.0))
      .set("activeParameter", Json::of(active));
}

Json completion(const Document& d, TextPosition at) {
  const Place p = place_of(d, at);
  Json items = Json::array();
  if (field_index_at(p.entry, p.line, p.column) != 0) {
    return Json::object().set("isIncomplete", Json::of(false)).set("items", std::move(items));
  }
  if (p.part != DocumentPart::kNone) {
    const Pass pass = p.part == DocumentPart::kGeneral ? Pass::kGeneral
                      : p.part == DocumentPart::kBody  ? Pass::kBody
                                                       : Pass::kTrain;
    for (const Keyword& k : kKeywords) {
      if (k.pass != pass) continue;
      const EntryValues* row = find_entry_values(k);
      Json item = Json::object()
                      .set("label", Json::string(std::string(k.spelling)))
                      .set("kind", Json::of(kCompletionKeyword))
                      .set("insertText", Json::string(snippet(k)))
                      .set("insertTextFormat", Json::of(kSnippetFormat));
      if (row != nullptr) {
        item.set("detail", Json::string(std::string(row->summary)));
        item.set("documentation", markdown(keyword_text(k)));
      }
      items.push(std::move(item));
    }
  }
  const auto& sections = d.name.kind == SourceKind::kTrain
                             ? std::span<const std::string_view>(kTrainSections)
                             : std::span<const std::string_view>(kLineSections);
  for (const std::string_view section : sections) {
    items.push(Json::object()
                   .set("label", Json::string(std::string(section)))
                   .set("kind", Json::of(kCompletionModule))
                   .set("detail", Json::string("section line")));
  }
  return Json::object().set("isIncomplete", Json::of(false)).set("items", std::move(items));
}

Json document_symbols(const Document& d) {
  Json symbols = Json::array();
  for_each_entry_line(
      d.text, d.name.kind, [&](std::int64_t n, std::string_view line, const EntryLine& entry) {
        if (entry.keyword == nullptr) return false;
        for (const OutlineKind& kind : kOutline) {
          if (kind.keyword->spelling != entry.keyword->spelling) continue;
          const LineField& keyword = entry.fields[0];
          std::string name = kind.what;
          if (entry.fields.size() > 1) {
            const LineField& at = entry.fields[1];
            name += " at " + std::string(line.substr(at.start, at.end - at.start)) + " m";
          }
          if (entry.keyword->spelling == kw::kStation.spelling && entry.fields.size() > 17) {
            const LineField& title = entry.fields[17];
            name += ": " + std::string(line.substr(title.start, title.end - title.start));
          }
          const auto column = [&](std::size_t bytes) { return position_of(line, bytes).character; };
          symbols.push(Json::object()
                           .set("name", Json::string(std::move(name)))
                           .set("detail", Json::string(std::string(line.substr(
                                              keyword.start, keyword.end - keyword.start))))
                           .set("kind", Json::of(kind.symbol_kind))
                           .set("range", rpc::range_json({n, 0}, {n, column(line.size())}))
                           .set("selectionRange", rpc::range_json({n, column(keyword.start)},
                                                                  {n, column(keyword.end)})));
        }
        return false;
      });
  return symbols;
}

}  // namespace sb
