#include "driver/lsp/lsp_run.h"

#include <condition_variable>
#include <deque>
#include <iostream>
#include <mutex>
#include <thread>

#include "driver/lsp/message_stream.h"
#include "driver/lsp/protocol.h"
#include "driver/lsp/server.h"
#include "platform/console.h"

namespace sb {
namespace {

// The messages read so far and not yet handled. A thread of its own reads them, so that the
// server can see, before it publishes a check's diagnostics, whether a newer change of the
// same document has arrived in the meantime.
class Inbox {
 public:
  void put(FramedMessage m) {
    {
      const std::lock_guard lock(mutex_);
      if (m.status == FramedMessage::Status::kMessage) {
        try {
          changed_.push_back(LanguageServer::changed_uri(parse_json(m.body)));
        } catch (const JsonError&) {
          changed_.emplace_back();
        }
      } else {
        changed_.emplace_back();
      }
      queue_.push_back(std::move(m));
    }
    ready_.notify_one();
  }
  // The next message; waits at most `wait` when `timed` (nothing then).
  std::optional<FramedMessage> take(bool timed, std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    const auto any = [&] { return !queue_.empty(); };
    if (timed) {
      if (!ready_.wait_for(lock, wait, any)) return std::nullopt;
    } else {
      ready_.wait(lock, any);
    }
    FramedMessage m = std::move(queue_.front());
    queue_.pop_front();
    changed_.pop_front();
    return m;
  }
  bool changes(const std::string& uri) {
    const std::lock_guard lock(mutex_);
    for (const std::string& changed : changed_) {
      if (changed == uri) return true;
    }
    return false;
  }

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<FramedMessage> queue_;
  std::deque<std::string> changed_;  // beside each message: the document it changes
};

}  // namespace

int serve_language(std::istream& in, std::ostream& out, bool leave_reader) {
  // An input stream tied to an output stream flushes it before every read: std::cin flushes
  // std::cout. The reader thread would then flush `out` while this thread writes a message
  // into it, and a message's header could go out twice. Only the writers below touch `out`.
  in.tie(nullptr);
  std::mutex writing;
  LanguageServer server([&](const Json& message) {
    const std::lock_guard lock(writing);
    write_message(out, message);
  });
  // The reader stops after the end of the input or a header block it cannot read.
  auto inbox = std::make_shared<Inbox>();
  std::thread reading([inbox, &in] {
    MessageReader reader(in);
    for (;;) {
      FramedMessage m = reader.next();
      const bool last =
          m.status == FramedMessage::Status::kEnd || m.status == FramedMessage::Status::kMalformed;
      inbox->put(std::move(m));
      if (last) return;
    }
  });
  const auto finish = [&](int status) {
    if (leave_reader) {
      reading.detach();
    } else {
      reading.join();
    }
    return status;
  };

  // A message that cannot be read is answered with an error that names no request.
  const auto send_error = [&](int code, const std::string& problem) {
    Json error = Json::object()
                     .set("code", Json::of(static_cast<double>(code)))
                     .set("message", Json::string(problem));
    const std::lock_guard lock(writing);
    write_message(out, Json::object()
                           .set("jsonrpc", Json::string("2.0"))
                           .set("id", Json())
                           .set("error", std::move(error)));
  };
  for (;;) {
    std::optional<FramedMessage> m = inbox->take(server.has_pending(), kCheckDelay);
    if (!m) {
      server.check_pending([&](const std::string& uri) { return inbox->changes(uri); });
      continue;
    }
    switch (m->status) {
      case FramedMessage::Status::kMessage:
        server.handle_text(m->body);
        break;
      case FramedMessage::Status::kTooLarge:
        send_error(rpc::kInvalidRequest, m->problem);
        break;
      case FramedMessage::Status::kMalformed:
        send_error(rpc::kParseError, m->problem);
        return finish(1);
      case FramedMessage::Status::kEnd:
        return finish(1);
    }
    if (const auto status = server.exit_status()) return finish(*status);
  }
}

int run_lsp() {
  use_binary_standard_streams();
  std::ios::sync_with_stdio(false);
  // Standard input stays open as long as the editor likes: its reader is left to the end of
  // the process.
  return serve_language(std::cin, std::cout, true);
}

}  // namespace sb
