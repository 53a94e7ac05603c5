#include "driver/diagnostics.h"

#include <ostream>

#include "model/quoting.h"

namespace sb {
namespace {

constexpr const char* kBold = "\x1b[1m";
constexpr const char* kRed = "\x1b[1;31m";
constexpr const char* kMagenta = "\x1b[1;35m";
constexpr const char* kCyan = "\x1b[1;36m";
constexpr const char* kGreen = "\x1b[1;32m";
constexpr const char* kReset = "\x1b[m";

std::string paint(const std::string& text, const char* colour, bool color) {
  return color ? colour + text + kReset : text;
}

std::string place(const SourceSpot& where) {
  if (where.file.empty()) return "scenario_builder";
  std::string text = printable(where.file, 0);
  if (where.line > 0) {
    text += ":" + std::to_string(where.line);
    if (where.column > 0) text += ":" + std::to_string(where.column);
  }
  return text;
}

// The source line, every byte shown printably, and a caret line under the field.
std::string excerpt(const SourceSpot& where, bool color) {
  if (where.line <= 0 || where.column <= 0) return {};
  std::string shown;
  std::size_t caret_at = 0, caret_width = 0;
  const auto field_start = static_cast<std::size_t>(where.column - where.text_column);
  const auto field_end = field_start + static_cast<std::size_t>(where.width);
  for (std::size_t i = 0; i <= where.text.size(); ++i) {
    if (i == field_start) caret_at = shown.size();
    if (i == field_end) caret_width = shown.size() - caret_at;
    if (i == where.text.size()) break;
    const char c = where.text[i];
    shown += (c == ' ' || c == '"' || c == '\\') ? std::string(1, c) : printable({&c, 1}, 0);
  }
  if (field_end > where.text.size()) caret_width = shown.size() - caret_at;
  const std::string number = std::to_string(where.line);
  const std::string gutter(number.size() < 5 ? 5 - number.size() : 0, ' ');
  std::string text = " " + gutter + number + " | " + shown + "\n";
  std::string marks = "^" + std::string(caret_width > 1 ? caret_width - 1 : 0, '~');
  text += " " + std::string(gutter.size() + number.size(), ' ') + " | " +
          std::string(caret_at, ' ') + paint(marks, kGreen, color) + "\n";
  return text;
}

// A JSON string; a message that is not UTF-8 has its bytes above 127 taken as Latin-1.
std::string json_text(std::string_view text) {
  return json_quoted(text, HighBytes::kUtf8IfValid);
}

std::string json_item(const Diagnostic& d) {
  const bool error = d.severity == Severity::kError;
  auto number = [](std::int64_t v, bool present) {
    return present ? std::to_string(v) : std::string("null");
  };
  std::string out = "{\"severity\": ";
  out += error ? "\"error\"" : "\"warning\"";
  out += ", \"code\": " + number(d.code, error);
  out += ", \"name\": " +
         (error ? std::string("null") : json_text(std::string(warning_name(d.warning))));
  out += ", \"file\": " + (d.where.file.empty() ? std::string("null") : json_text(d.where.file));
  out += ", \"line\": " + number(d.where.line, d.where.line > 0);
  out += ", \"column\": " + number(d.where.column, d.where.column > 0);
  out += ", \"position\": " + number(d.position.value_or(0), d.position.has_value());
  std::string message = d.message.empty() ? fault_message(d.code) : d.message;
  out += ", \"message\": " + json_text(message);
  out += ", \"notes\": [";
  for (std::size_t k = 0; k < d.notes.size(); ++k) {
    out += (k > 0 ? ", " : "") + json_text(d.notes[k]);
  }
  return out + "]}";
}

}  // namespace

std::string fault_message(std::int32_t code) {
  switch (code) {
    case 1:
      return "the route length is above 1000000 m";
    case 2:
      return "a \"progressiva chilometrica\" entry has a first or second value that is not a "
             "multiple of 50";
    case 3:
      return "the first signal-repetition value is not a multiple of 50";
    case 4:
      return "the second signal-repetition value is not a multiple of 50";
    case 5:
      return "the signal-repetition keyword names neither 4 nor 9 codes";
    case 6:
      return "the signboard's cell already holds an object";
    case 7:
      return "the \"abbattimento\" point's cell already holds an object";
    case 8:
      return "the station position is not a multiple of 50";
    case 9:
      return "the platform length is not a multiple of 100";
    case 10:
      return "too many stations: the station table is full (at most 78, fewer with signboards)";
    case 11:
      return "no free cell for the protection point of a signal before a slow-order warning "
             "board";
    case 12:
      return "no free cell for a protection point before a slow-order start";
    case 13:
      return "no free cell for a protection point along or after a slow order";
    case 15:
      return "the entry lies beyond the end of the track table";
    case 16:
      return "the signal's cell already holds an object";
    case 17:
      return "the slow order's warning-board cell already holds an object";
    case 18:
      return "the slow order's start cell already holds an object";
    case 19:
      return "the slow order's end cell already holds an object";
    case 20:
      return "one of the slow order's four pre-warning cells already holds an object";
    case 21:
      return "the speed board's cell already holds an object";
    case 22:
      return "the platform starts less than 350 m after the end of the previous platform";
    case 24:
      return "the station's stop would fall at or before 50 m";
    case 25:
      return "the scenario could not be read";
    case 101:
      return "the line file was not found";
    case 102:
      return "no \"[generale]\" section in the line file: nothing was read from it";
    case 103:
      return "a curve keyword without a class digit 1 to 6, or a route plan beyond 1000000 m";
    case 1250:
      return "the header marker field is already set";
    case 1251:
      return "the header code field is already set";
    default:
      return "unknown fault";
  }
}

std::string diagnostic_message(const Diagnostic& d) {
  std::string text = d.message.empty() ? fault_message(d.code) : d.message;
  if (d.severity == Severity::kError && d.position) {
    text += " (at " + std::to_string(*d.position) + " m)";
  }
  return text;
}

std::string format_diagnostic(const Diagnostic& d, bool color) {
  std::string text = paint(place(d.where) + ":", kBold, color) + " ";
  if (d.severity == Severity::kError) {
    text +=
        paint("error " + std::to_string(d.code) + ":", kRed, color) + " " + diagnostic_message(d);
  } else {
    text += paint("warning:", kMagenta, color) + " " + diagnostic_message(d) + " [" +
            std::string(warning_name(d.warning)) + "]";
  }
  text += "\n" + excerpt(d.where, color);
  for (const std::string& note : d.notes) text += paint("note:", kCyan, color) + " " + note + "\n";
  return text;
}

void report_diagnostics(const std::vector<Diagnostic>& items, const DiagnosticStyle& style,
                        std::ostream& out, const std::string* failure) {
  if (!style.json) {
    for (const Diagnostic& d : items) {
      if (d.severity == Severity::kError || style.warnings)
        out << format_diagnostic(d, style.color);
    }
    if (failure != nullptr) {
      out << paint("scenario_builder:", kBold, style.color) << " " << *failure << "\n";
    }
    return;
  }
  std::vector<std::string> shown;
  for (const Diagnostic& d : items) {
    if (d.severity == Severity::kError || style.warnings) shown.push_back(json_item(d));
  }
  if (failure != nullptr) {
    Diagnostic d;
    d.message = *failure;
    std::string item = json_item(d);
    item.replace(item.find("\"code\": 0"), 9, "\"code\": null");  // no fault code
    shown.push_back(item);
  }
  out << "[";
  for (std::size_t k = 0; k < shown.size(); ++k) out << (k > 0 ? ",\n  " : "\n  ") << shown[k];
  out << (shown.empty() ? "]\n" : "\n]\n");
}

}  // namespace sb
