// The framing of the language server's messages, and what the server does with messages that
// are cut, malformed, oversized or not JSON: an error reply or a clean end, never a crash or a
// wait for bytes that never come.
#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "driver/lsp/lsp_run.h"
#include "driver/lsp/message_stream.h"

namespace sb::test {
namespace {

std::string framed(const std::string& body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// The messages written on a stream, read back.
std::vector<Json> messages(const std::string& stream) {
  std::istringstream in(stream);
  MessageReader reader(in);
  std::vector<Json> out;
  for (FramedMessage m = reader.next(); m.status == FramedMessage::Status::kMessage;
       m = reader.next()) {
    out.push_back(parse_json(m.body));
  }
  return out;
}

struct Served {
  int status;
  std::vector<Json> replies;
};

Served serve(const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out;
  const int status = serve_language(in, out);
  return {status, messages(out.str())};
}

const std::string kInitialize =
    framed(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":{}}})");
const std::string kShutdown = framed(R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})");
const std::string kExit = framed(R"({"jsonrpc":"2.0","method":"exit"})");

TEST(LspFraming, ReadsMessagesBackToBackWithOtherHeaders) {
  std::istringstream in(framed("{}") + "content-length: 2\r\nContent-Type: x\r\n\r\n[]" +
                        "Content-Length:   4  \r\n\r\nnull");
  MessageReader reader(in);
  for (const char* body : {"{}", "[]", "null"}) {
    const FramedMessage m = reader.next();
    ASSERT_EQ(m.status, FramedMessage::Status::kMessage) << m.problem;
    EXPECT_EQ(m.body, body);
  }
  EXPECT_EQ(reader.next().status, FramedMessage::Status::kEnd);
}

TEST(LspFraming, MalformedHeadersAndCutStreamsAreNamed) {
  const struct {
    std::string stream;
    FramedMessage::Status status;
  } cases[] = {
      {"Content-Length: 10\r\n", FramedMessage::Status::kMalformed},        // cut header
      {"Content-Length: 10\r\n\r\n{}", FramedMessage::Status::kMalformed},  // cut body
      {"Content-Length: ten\r\n\r\n", FramedMessage::Status::kMalformed},
      {"Content-Length: -1\r\n\r\n", FramedMessage::Status::kMalformed},
      {"Content-Length: 99999999999999999999999\r\n\r\n", FramedMessage::Status::kMalformed},
      {"Content-Type: x\r\n\r\n{}", FramedMessage::Status::kMalformed},   // no length
      {"Content-Length 2\r\n\r\n{}", FramedMessage::Status::kMalformed},  // no colon
      {"Content-Length: 2\r\nContent-Length: 2\r\n\r\n{}", FramedMessage::Status::kMalformed},
      {"Content-Length: 2\n\n{}", FramedMessage::Status::kMalformed},  // LF alone never ends it
      {std::string(5000, 'x'), FramedMessage::Status::kMalformed},
      {"", FramedMessage::Status::kEnd},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stream.substr(0, 60));
    std::istringstream in(c.stream);
    MessageReader reader(in);
    const FramedMessage m = reader.next();
    EXPECT_EQ(m.status, c.status);
    if (c.status == FramedMessage::Status::kMalformed) {
      EXPECT_FALSE(m.problem.empty());
    }
  }
}

TEST(LspFraming, AnOversizedMessageIsSkippedWithoutBeingHeld) {
  // A body above the limit is read past in pieces; the next message is read as usual.
  std::istringstream in("Content-Length: 10\r\n\r\n0123456789" + framed("{}"));
  MessageReader reader(in, 8);
  const FramedMessage big = reader.next();
  EXPECT_EQ(big.status, FramedMessage::Status::kTooLarge);
  EXPECT_TRUE(big.body.empty());
  EXPECT_NE(big.problem.find("10 bytes"), std::string::npos) << big.problem;
  EXPECT_EQ(reader.next().body, "{}");
}

TEST(LspServerStream, ShutdownThenExitEndsWithZeroAndExitAloneWithOne) {
  const Served clean = serve(kInitialize + kShutdown + kExit);
  EXPECT_EQ(clean.status, 0);
  ASSERT_EQ(clean.replies.size(), 2u);
  EXPECT_EQ(clean.replies[0]["id"].number, 1);
  EXPECT_TRUE(clean.replies[0]["result"]["capabilities"].is_object());
  EXPECT_TRUE(clean.replies[1]["result"].is_null());

  EXPECT_EQ(serve(kInitialize + kExit).status, 1);
  EXPECT_EQ(serve(kInitialize).status, 1);  // the input ends without exit
}

TEST(LspServerStream, BadMessagesGetErrorRepliesAndTheServerGoesOn) {
  const struct {
    std::string message;
    double code;
  } cases[] = {
      {framed("{\"jsonrpc\":\"2.0\",\"id\":5,"), -32700},                  // not JSON
      {framed("[1,2]"), -32600},                                           // not a request
      {framed(R"({"jsonrpc":"1.0","id":5,"method":"x"})"), -32600},        // wrong version
      {framed(R"({"jsonrpc":"2.0","id":5,"method":"no/such"})"), -32601},  // unknown method
      {framed(R"({"jsonrpc":"2.0","id":5,"method":"textDocument/hover","params":{}})"),
       -32602},  // parameters it cannot use
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const Served s = serve(kInitialize + c.message + kShutdown + kExit);
    EXPECT_EQ(s.status, 0);
    ASSERT_EQ(s.replies.size(), 3u);
    EXPECT_EQ(s.replies[1]["error"]["code"].number, c.code);
    EXPECT_FALSE(s.replies[1]["error"]["message"].text.empty());
    EXPECT_TRUE(s.replies[2]["result"].is_null());  // the shutdown still answered
  }
}

TEST(LspServerStream, AHugeContentLengthIsRefusedAndAMalformedHeaderEndsTheServer) {
  // 100 MB announced and never sent: refused without a 100 MB buffer, then a clean end.
  const Served huge = serve(kInitialize + "Content-Length: 104857600\r\n\r\n{}");
  EXPECT_EQ(huge.status, 1);
  ASSERT_EQ(huge.replies.size(), 2u);
  EXPECT_EQ(huge.replies[1]["error"]["code"].number, -32600);
  EXPECT_NE(huge.replies[1]["error"]["message"].text.find("104857600 bytes"), std::string::npos);
  EXPECT_TRUE(huge.replies[1]["id"].is_null());

  const Served bad = serve(kInitialize + "Content-Length: x\r\n\r\n" + kShutdown + kExit);
  EXPECT_EQ(bad.status, 1);
  ASSERT_EQ(bad.replies.size(), 2u);
  EXPECT_EQ(bad.replies[1]["error"]["code"].number, -32700);
}

// An output buffer that notes every thread that writes or flushes it.
class ThreadNotingBuffer : public std::stringbuf {
 public:
  std::set<std::thread::id> threads;

 protected:
  int sync() override {
    note();
    return std::stringbuf::sync();
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    note();
    return std::stringbuf::xsputn(s, n);
  }
  int_type overflow(int_type c) override {
    note();
    return std::stringbuf::overflow(c);
  }

 private:
  void note() {
    const std::lock_guard lock(mutex_);
    threads.insert(std::this_thread::get_id());
  }
  std::mutex mutex_;
};

// Standard input is tied to standard output: a read flushes the output first. The thread that
// reads the messages must not flush the output while a reply is being written into it, or
// the reply's header can go out twice; only the serving thread touches the output.
TEST(LspServerStream, OnlyTheServingThreadTouchesTheOutput) {
  ThreadNotingBuffer buffer;
  std::ostream out(&buffer);
  std::istringstream in(kInitialize + kShutdown + kExit);
  in.tie(&out);
  EXPECT_EQ(serve_language(in, out), 0);
  EXPECT_EQ(buffer.threads, std::set<std::thread::id>{std::this_thread::get_id()});
  EXPECT_EQ(messages(buffer.str()).size(), 2u);
}

TEST(LspServerStream, RequestsBeforeInitializeAreRefused) {
  const Served s =
      serve(framed(R"({"jsonrpc":"2.0","id":9,"method":"textDocument/documentSymbol"})") + kExit);
  ASSERT_EQ(s.replies.size(), 1u);
  EXPECT_EQ(s.replies[0]["error"]["code"].number, -32002);
}

}  // namespace
}  // namespace sb::test
