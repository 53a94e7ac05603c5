#include "driver/diagnostics.h"

#include <ostream>

#include "model/faults.h"
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
  std::string text = printable_utf8(where.file, 0);
  if (where.line > 0) {
    text += ":" + std::to_string(where.line);
    if (where.column > 0) text += ":" + std::to_string(where.column);
  }
  return text;
}

// The source line, every character shown printably, and a caret line under the field. The
// caret counts columns: a character shown as itself takes one, whatever its bytes in UTF-8.
std::string excerpt(const SourceSpot& where, bool color) {
  if (where.line <= 0 || where.column <= 0) return {};
  std::string shown;
  std::size_t columns = 0, caret_at = 0, caret_width = 0;
  const auto field_start = static_cast<std::size_t>(where.column - where.text_column);
  const auto field_end = field_start + static_cast<std::size_t>(where.width);
  for (std::size_t i = 0; i <= where.text.size(); ++i) {
    if (i == field_start) caret_at = columns;
    if (i == field_end) caret_width = columns - caret_at;
    if (i == where.text.size()) break;
    const char c = where.text[i];
    const std::string piece =
        (c == ' ' || c == '"' || c == '\\') ? std::string(1, c) : printable({&c, 1}, 0);
    for (const char b : piece) columns += (static_cast<unsigned char>(b) & 0xC0) != 0x80;
    shown += piece;
  }
  if (field_end > where.text.size()) caret_width = columns - caret_at;
  const std::string number = std::to_string(where.line);
  const std::string gutter(number.size() < 5 ? 5 - number.size() : 0, ' ');
  std::string text = " " + gutter + number + " | " + shown + "\n";
  std::string marks = "^" + std::string(caret_width > 1 ? caret_width - 1 : 0, '~');
  text += " " + std::string(gutter.size() + number.size(), ' ') + " | " +
          std::string(caret_at, ' ') + paint(marks, kGreen, color) + "\n";
  return text;
}

// A JSON string; a message that is not UTF-8 has its bytes above 127 taken as Windows-1252.
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
  // A fault has its number; a warning, or a failure of the system, has none.
  const FaultInfo* fault = error ? find_fault(d.code) : nullptr;
  out += ", \"code\": " +
         (fault != nullptr ? std::to_string(fault_number(fault->fault)) : std::string("null"));
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
  const FaultInfo* fault = find_fault(code);
  return fault != nullptr ? std::string(fault->message) : "unknown fault";
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
    Diagnostic d;  // an error that no fault stands for: its code is null
    d.message = *failure;
    shown.push_back(json_item(d));
  }
  out << "[";
  for (std::size_t k = 0; k < shown.size(); ++k) out << (k > 0 ? ",\n  " : "\n  ") << shown[k];
  out << (shown.empty() ? "]\n" : "\n]\n");
}

}  // namespace sb
