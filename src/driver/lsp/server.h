// The language server's state and its answers: it takes the messages one by one, keeps the
// open documents, and checks the scenarios whose documents changed when asked to. Replies and
// notifications go out through `send`; the server itself reads and writes no stream and writes
// no file.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "driver/lsp/documents.h"
#include "driver/lsp/json.h"
#include "driver/lsp/scenario_check.h"

namespace sb {

class LanguageServer {
 public:
  using Send = std::function<void(const Json&)>;
  explicit LanguageServer(Send send);

  // Handles one message's text: a request gets its reply (an error for a message that is not
  // JSON-RPC, an unknown method, or parameters it cannot use), a notification its effect.
  void handle_text(std::string_view body);
  void handle(const Json& message);

  // True when some open document waits for its diagnostics.
  bool has_pending() const { return !pending_.empty(); }
  // Checks every document that waits, and publishes its diagnostics unless `superseded` says
  // that a newer change of it is already waiting (its diagnostics would be out of date).
  void check_pending(const std::function<bool(const std::string& uri)>& superseded = {});

  // The exit status once `exit` came: 0 after `shutdown`, 1 without.
  std::optional<int> exit_status() const { return exit_status_; }

  // The URIs a message changes (didChange, didClose: the document's), for telling whether a
  // waiting message supersedes a check.
  static std::string changed_uri(const Json& message);

 private:
  void request(const Json& id, const std::string& method, const Json& params);
  void notification(const std::string& method, const Json& params);
  void reply(const Json& id, Json result);
  void error(const Json& id, int code, const std::string& message);
  void publish(const Document& d, std::vector<Json> diagnostics, TrackExtent track);
  // Marks a document, and the open train files of its scenario when it is a line file.
  void mark(const Document& d);
  // The diagnostics of the document's scenario that belong on the document.
  std::vector<Json> check(const Document& d, TrackExtent& track) const;
  const Document* line_document(const Document& train) const;
  const Document& document(const Json& params) const;

  Send send_;
  std::map<std::string, Document> documents_;  // by URI
  std::map<std::string, std::vector<Json>> published_;
  std::map<std::string, TrackExtent> tracks_;  // the line as each published check found it
  std::set<std::string> pending_;
  std::string manual_;
  bool initialized_ = false;
  bool shut_down_ = false;
  std::optional<int> exit_status_;
};

}  // namespace sb
