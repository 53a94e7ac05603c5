#include "driver/lsp/server.h"

#include <stdexcept>

#include "driver/diagnostics.h"
#include "driver/lsp/language_features.h"
#include "driver/lsp/protocol.h"
#include "driver/lsp/protocol_diagnostics.h"
#include "driver/lsp/quick_fixes.h"
#include "driver/lsp/scenario_check.h"
#include "driver/lsp/text_positions.h"
#include "model/file_names.h"
#include "platform/files.h"

namespace sb {
namespace {

// A message that the request cannot be answered for: its parameters are not what the method
// takes. Answered with InvalidParams.
struct BadParams : std::runtime_error {
  using std::runtime_error::runtime_error;
};

const Json& member(const Json& j, std::string_view key) {
  const Json* v = j.find(key);
  if (v == nullptr) throw BadParams("no \"" + std::string(key) + "\"");
  return *v;
}

const std::string& text_member(const Json& j, std::string_view key) {
  const Json& v = member(j, key);
  if (!v.is_string()) throw BadParams("\"" + std::string(key) + "\" is not a string");
  return v.text;
}

std::string folder_without_slash(const std::string& folder) {
  if (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) {
    return folder.substr(0, folder.size() - 1);
  }
  return folder;
}

Json capabilities() {
  return Json::object()
      .set("positionEncoding", Json::string("utf-16"))
      .set("textDocumentSync", Json::object()
                                   .set("openClose", Json::of(true))
                                   .set("change", Json::of(2.0)))  // incremental
      .set("hoverProvider", Json::of(true))
      .set("signatureHelpProvider",
           Json::object().set("triggerCharacters", Json::array().push(Json::string(","))))
      .set("completionProvider",
           Json::object().set("triggerCharacters", Json::array().push(Json::string("["))))
      .set("documentSymbolProvider", Json::of(true))
      .set("codeActionProvider",
           Json::object().set("codeActionKinds", Json::array().push(Json::string("quickfix"))));
}

}  // namespace

LanguageServer::LanguageServer(Send send) : send_(std::move(send)), manual_(manual_uri()) {}

std::string LanguageServer::changed_uri(const Json& message) {
  const Json* method = message.find("method");
  const Json* params = message.find("params");
  if (method == nullptr || params == nullptr || !params->is_object()) return {};
  if (method->text != "textDocument/didChange" && method->text != "textDocument/didClose") {
    return {};
  }
  const Json* document = params->find("textDocument");
  const Json* uri = document != nullptr ? document->find("uri") : nullptr;
  return uri != nullptr && uri->is_string() ? uri->text : std::string();
}

void LanguageServer::handle_text(std::string_view body) {
  Json message;
  try {
    message = parse_json(body);
  } catch (const JsonError& e) {
    error(Json(), rpc::kParseError, e.what());
    return;
  }
  handle(message);
}

void LanguageServer::handle(const Json& message) {
  const Json* id = message.find("id");
  const Json* method = message.find("method");
  const Json* version = message.find("jsonrpc");
  const bool id_ok = id == nullptr || id->is_number() || id->is_string() || id->is_null();
  if (!message.is_object() || version == nullptr || version->text != "2.0" || !id_ok ||
      (method != nullptr && !method->is_string())) {
    error(id != nullptr && id_ok ? *id : Json(), rpc::kInvalidRequest,
          "not a JSON-RPC 2.0 message");
    return;
  }
  if (method == nullptr) return;  // a reply to a request of ours: none is sent
  static const Json kNoParams = Json::object();
  const Json* params = message.find("params");
  if (params == nullptr) params = &kNoParams;
  try {
    if (id != nullptr) {
      request(*id, method->text, *params);
    } else {
      notification(method->text, *params);
    }
  } catch (const std::exception& e) {
    // A notification gets no reply, whatever went wrong with it.
    if (id != nullptr) error(*id, rpc::kInvalidParams, e.what());
  }
}

void LanguageServer::request(const Json& id, const std::string& method, const Json& params) {
  if (method == "initialize") {
    initialized_ = true;
    reply(id, Json::object()
                  .set("capabilities", capabilities())
                  .set("serverInfo", Json::object()
                                         .set("name", Json::string("scenario_builder"))
                                         .set("version", Json::string(SB_VERSION))));
    return;
  }
  if (!initialized_) {
    error(id, rpc::kServerNotInitialized, "the server is not initialized");
    return;
  }
  if (shut_down_) {
    error(id, rpc::kInvalidRequest, "the server is shut down");
    return;
  }
  if (method == "shutdown") {
    shut_down_ = true;
    reply(id, Json());
  } else if (method == "textDocument/hover") {
    const Document& d = document(params);
    const auto published = published_.find(d.uri);
    const auto track = tracks_.find(d.uri);
    reply(id, hover(d, rpc::position_from(member(params, "position")),
                    published != published_.end() ? published->second : std::vector<Json>(),
                    track != tracks_.end() ? track->second : TrackExtent()));
  } else if (method == "textDocument/signatureHelp") {
    reply(id, signature_help(document(params), rpc::position_from(member(params, "position"))));
  } else if (method == "textDocument/completion") {
    reply(id, completion(document(params), rpc::position_from(member(params, "position"))));
  } else if (method == "textDocument/documentSymbol") {
    reply(id, document_symbols(document(params)));
  } else if (method == "textDocument/codeAction") {
    reply(id, quick_fixes(document(params), member(member(params, "context"), "diagnostics")));
  } else {
    error(id, rpc::kMethodNotFound, "unknown method \"" + method + "\"");
  }
}

void LanguageServer::notification(const std::string& method, const Json& params) {
  if (method == "exit") {
    exit_status_ = shut_down_ ? 0 : 1;
    return;
  }
  if (!initialized_ || shut_down_) return;
  if (method == "textDocument/didOpen") {
    const Json& item = member(params, "textDocument");
    Document d;
    d.uri = text_member(item, "uri");
    d.path = path_of_uri(d.uri).value_or("");
    d.text = text_member(item, "text");
    d.version = rpc::whole(member(item, "version"));
    d.name = source_name(d.path, [this](const std::string& path) {
      for (const auto& [uri, open] : documents_) {
        if (open.path == path) return true;
      }
      return file_kind(path) == FileKind::kOrdinary;
    });
    const Document& stored = documents_[d.uri] = std::move(d);
    mark(stored);
  } else if (method == "textDocument/didChange") {
    const Json& item = member(params, "textDocument");
    const auto found = documents_.find(text_member(item, "uri"));
    if (found == documents_.end()) return;
    Document& d = found->second;
    for (const Json& change : member(params, "contentChanges").items) apply_change(d.text, change);
    if (const Json* version = item.find("version"); version != nullptr && version->is_number()) {
      d.version = rpc::whole(*version);
    }
    mark(d);
  } else if (method == "textDocument/didClose") {
    const std::string uri = text_member(member(params, "textDocument"), "uri");
    const auto found = documents_.find(uri);
    if (found == documents_.end()) return;
    const Document closed = found->second;
    documents_.erase(found);
    pending_.erase(uri);
    published_.erase(uri);
    tracks_.erase(uri);
    // A closed file's diagnostics go; its scenario's train files read the disk copy now.
    send_(Json::object()
              .set("jsonrpc", Json::string("2.0"))
              .set("method", Json::string("textDocument/publishDiagnostics"))
              .set("params",
                   Json::object().set("uri", Json::string(uri)).set("diagnostics", Json::array())));
    if (closed.name.kind == SourceKind::kLine) mark(closed);
    pending_.erase(uri);
  }
}

void LanguageServer::mark(const Document& d) {
  if (documents_.contains(d.uri)) pending_.insert(d.uri);
  if (d.name.kind != SourceKind::kLine) return;
  for (const auto& [uri, other] : documents_) {
    if (other.name.kind == SourceKind::kTrain && other.name.folder == d.name.folder &&
        other.name.scenario == d.name.scenario) {
      pending_.insert(uri);
    }
  }
}

const Document* LanguageServer::line_document(const Document& train) const {
  for (const auto& [uri, d] : documents_) {
    if (d.name.kind == SourceKind::kLine && d.name.folder == train.name.folder &&
        d.name.scenario == train.name.scenario) {
      return &d;
    }
  }
  return nullptr;
}

void LanguageServer::check_pending(const std::function<bool(const std::string&)>& superseded) {
  const auto out_of_date = [&](const std::string& uri) { return superseded && superseded(uri); };
  while (!pending_.empty()) {
    const std::string uri = *pending_.begin();
    pending_.erase(pending_.begin());
    const auto found = documents_.find(uri);
    if (found == documents_.end() || out_of_date(uri)) continue;
    TrackExtent track;
    std::vector<Json> diagnostics = check(found->second, track);
    // A change that came while the check ran makes its diagnostics out of date: that change
    // is checked next instead.
    if (!out_of_date(uri)) publish(found->second, std::move(diagnostics), track);
  }
}

std::vector<Json> LanguageServer::check(const Document& d, TrackExtent& track) const {
  if (d.name.kind == SourceKind::kOther) return {};
  std::unordered_map<std::string, std::string> texts;
  const Document* line = d.name.kind == SourceKind::kLine ? &d : line_document(d);
  std::string line_name = d.name.line;
  if (d.name.kind == SourceKind::kLine) {
    // A line file is checked with an open train file of its scenario, or else with an empty
    // one: only the line file's own diagnostics are shown on it.
    line_name.clear();
    for (const auto& [uri, other] : documents_) {
      if (other.name.kind == SourceKind::kTrain && other.name.folder == d.name.folder &&
          other.name.scenario == d.name.scenario) {
        line_name = other.name.line;
        texts[train_file_leaf(other.name.scenario, other.name.line)] = to_file_text(other.text);
        break;
      }
    }
    if (texts.empty()) texts[train_file_leaf(d.name.scenario, line_name)] = "";
  } else {
    texts[train_file_leaf(d.name.scenario, d.name.line)] = to_file_text(d.text);
  }
  if (line != nullptr) texts[line_file_leaf(d.name.scenario)] = to_file_text(line->text);

  const CheckedPair checked =
      check_scenario_texts(folder_without_slash(d.name.folder), d.name.scenario, line_name, texts);
  track = checked.track;
  const std::string& own =
      d.name.kind == SourceKind::kLine ? checked.line_path : checked.train_path;
  const LineIndex lines(d.text);
  std::vector<Json> shown;
  for (const Diagnostic& diagnostic : checked.diagnostics) {
    if (diagnostic.where.file == own) {
      shown.push_back(protocol_diagnostic(diagnostic, lines, d.uri, manual_));
    } else if (d.name.kind == SourceKind::kTrain &&
               (diagnostic.where.file.empty() || diagnostic.where.file == checked.line_path) &&
               line == nullptr) {
      // The line file is not open: its diagnostics stand at the start of the train file,
      // with its place in their message.
      Diagnostic moved = diagnostic;
      if (!moved.where.file.empty()) {
        moved.message = moved.where.file + ":" + std::to_string(moved.where.line) + ": " +
                        (moved.message.empty() ? fault_message(moved.code) : moved.message);
      }
      moved.where = {};
      shown.push_back(protocol_diagnostic(moved, lines, d.uri, manual_));
    } else if (diagnostic.where.file.empty()) {
      shown.push_back(protocol_diagnostic(diagnostic, lines, d.uri, manual_));
    }
  }
  return shown;
}

void LanguageServer::publish(const Document& d, std::vector<Json> diagnostics, TrackExtent track) {
  tracks_[d.uri] = track;
  Json list = Json::array();
  list.items = diagnostics;
  published_[d.uri] = std::move(diagnostics);
  send_(Json::object()
            .set("jsonrpc", Json::string("2.0"))
            .set("method", Json::string("textDocument/publishDiagnostics"))
            .set("params", Json::object()
                               .set("uri", Json::string(d.uri))
                               .set("version", Json::of(static_cast<double>(d.version)))
                               .set("diagnostics", std::move(list))));
}

const Document& LanguageServer::document(const Json& params) const {
  const std::string& uri = text_member(member(params, "textDocument"), "uri");
  const auto found = documents_.find(uri);
  if (found == documents_.end()) throw BadParams("the document " + uri + " is not open");
  return found->second;
}

void LanguageServer::reply(const Json& id, Json result) {
  send_(Json::object()
            .set("jsonrpc", Json::string("2.0"))
            .set("id", id)
            .set("result", std::move(result)));
}

void LanguageServer::error(const Json& id, int code, const std::string& message) {
  send_(Json::object()
            .set("jsonrpc", Json::string("2.0"))
            .set("id", id)
            .set("error", Json::object()
                              .set("code", Json::of(static_cast<double>(code)))
                              .set("message", Json::string(message))));
}

}  // namespace sb
