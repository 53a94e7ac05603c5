#include "driver/lsp/protocol_diagnostics.h"

#include "driver/diagnostics.h"
#include "driver/lsp/protocol.h"
#include "driver/lsp/source_files.h"
#include "model/faults.h"
#include "platform/files.h"

namespace sb {
namespace {

// A heading's anchor as Markdown renderers make it: lower case, punctuation dropped, blanks as
// hyphens.
std::string anchor_of(std::string_view heading) {
  std::string anchor;
  for (const char c : heading) {
    if (c >= 'A' && c <= 'Z') {
      anchor += static_cast<char>(c + 32);
    } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_') {
      anchor += c;
    } else if (c == ' ') {
      anchor += '-';
    }
  }
  return anchor;
}

constexpr double kError = 1;
constexpr double kWarning = 2;

}  // namespace

std::string manual_anchor(const Diagnostic& d) {
  if (d.severity == Severity::kWarning) {
    for (const WarningInfo& w : kWarnings) {
      if (w.warning == d.warning) {
        return anchor_of(std::string(w.name) + ": " + std::string(w.summary));
      }
    }
    return {};
  }
  const FaultInfo* fault = find_fault(d.code);
  if (fault == nullptr) return {};
  return anchor_of(std::to_string(d.code) + ": " + std::string(fault->message));
}

std::string find_manual(const std::string& program_folder, const std::string& source_manual) {
  const std::string candidates[] = {
      join_path(program_folder, "docs/authoring.md"),
      join_path(path_folder(program_folder), "share/doc/scenario_builder/docs/authoring.md"),
      source_manual,
  };
  for (const std::string& path : candidates) {
    if (!path.empty() && file_kind(path) == FileKind::kOrdinary) return path;
  }
  return {};
}

std::string manual_uri() {
  const std::string manual = find_manual(program_folder(), SB_SOURCE_MANUAL);
  return manual.empty() ? std::string() : uri_of_path(manual);
}

Json protocol_diagnostic(const Diagnostic& d, const LineIndex& lines, const std::string& uri,
                         const std::string& manual) {
  TextPosition start, end;
  if (d.where.line > 0) {
    const std::int64_t n = d.where.line - 1;
    const std::string_view line = lines.line(n);
    const std::int64_t column = d.where.column > 0 ? d.where.column - 1 : 0;
    start = {n, utf16_column(line, column)};
    end = {n, utf16_column(line, column + std::max<std::int64_t>(d.where.width, 1))};
  }
  const Json range = rpc::range_json(start, end);
  Json item = Json::object()
                  .set("range", range)
                  .set("severity", Json::of(d.severity == Severity::kError ? kError : kWarning))
                  .set("source", Json::string("scenario_builder"))
                  .set("message", Json::string(diagnostic_message(d)));
  const FaultInfo* fault = d.severity == Severity::kError ? find_fault(d.code) : nullptr;
  if (d.severity == Severity::kWarning) {
    item.set("code", Json::string(std::string(warning_name(d.warning))));
  } else if (fault != nullptr) {
    item.set("code", Json::of(static_cast<double>(d.code)));
  }
  if (const std::string anchor = manual_anchor(d); !anchor.empty() && !manual.empty()) {
    item.set("codeDescription", Json::object().set("href", Json::string(manual + "#" + anchor)));
  }
  if (!d.notes.empty()) {
    Json related = Json::array();
    for (const std::string& note : d.notes) {
      related.push(
          Json::object()
              .set("location", Json::object().set("uri", Json::string(uri)).set("range", range))
              .set("message", Json::string(note)));
    }
    item.set("relatedInformation", std::move(related));
  }
  return item;
}

}  // namespace sb
