// The SMTP dialogue against a scripted server: every byte the client writes, and the replies
// cut into the pieces a network may deliver.
#include <gtest/gtest.h>

#include <algorithm>

#include "smtp_session.h"
#include "smtp_wire.h"
#include "socket_errors.h"

namespace {
class ScriptedServer : public SmtpTransport {
 public:
  explicit ScriptedServer(std::string replies, int connectResult = 0)
      : replies_(std::move(replies)), connectResult_(connectResult) {}
  int Connect(const std::string& host, const std::string& service) override {
    connects.push_back(host + ":" + service);
    return connectResult_ == kErrService && service == "25" ? 0 : connectResult_;
  }
  int LocalHostName(std::string& name) override {
    name = "client";
    return hostNameResult;
  }
  int Send(const char* data, size_t size) override {
    written.append(data, size);
    return dropAfter && written.size() > dropAfter ? kErrDropped : 0;
  }
  int SendBuffered(const char* data, size_t size) override {
    largestPiece = std::max(largestPiece, size);
    return Send(data, size);
  }
  int Flush() override { return 0; }
  int ReadByte(char& c) override {
    if (next_ >= replies_.size()) return kErrDropped;
    c = replies_[next_++];
    return 0;
  }
  int Close() override {
    ++closes;
    return 0;
  }
  std::vector<std::string> connects;
  std::string written;
  size_t dropAfter = 0;
  int hostNameResult = 0;
  size_t largestPiece = 0;
  int closes = 0;

 private:
  std::string replies_;
  size_t next_ = 0;
  int connectResult_;
};

class Recorder : public SendReporter {
 public:
  void Status(const std::string& text) override { statuses.push_back(text); }
  void Progress(int percent) override {
    progress.push_back(percent);
    if (stopAt >= 0 && percent >= stopAt) stop = true;
  }
  bool StopRequested() const override { return stop; }
  std::vector<std::string> statuses;
  std::vector<int> progress;
  int stopAt = -1;
  bool stop = false;
};

const char kGoodReplies[] = "220 hi\r\n250 hello\r\n250 ok\r\n250 ok\r\n250 ok\r\n354 go\r\n250 queued\r\n221 bye\r\n";
const std::vector<std::string> kTwo{"ann@example.com", "bob@example.com"};
}  // namespace

TEST(SmtpReplies, SplitAndMultiLine) {
  const struct {
    std::string bytes;
    int code;
  } cases[] = {
      {"250 ok\r\n", 250},
      {"250-first\r\n250-second\r\n250 last\r\n", 250},
      {"354\n", 354},
      {"garbage\r\n", -1},
      {"250-" + std::string(10000, 'x') + "\r\n250 end\r\n", 250},
  };
  for (const auto& c : cases) {
    SmtpReplyReader reader;
    size_t used = 0;
    while (used < c.bytes.size() && !reader.Feed(c.bytes[used])) ++used;
    EXPECT_EQ(used, c.bytes.size() - 1) << c.bytes.substr(0, 20);
    EXPECT_EQ(reader.Code(), c.code);
    EXPECT_LE(reader.Text().size(), 4096u);
  }
}

TEST(DotStuffing, WireBytes) {
  const struct {
    std::string message, wire;
  } cases[] = {
      {"H: x\r\n\r\n.start\r\nmid.dot\r\n..two\r\n", "H: x\r\n\r\n..start\r\nmid.dot\r\n...two\r\n.\r\n"},
      {"H: x\r\r\nY: z\r\n\r\nno final line end", "H: xY: z\r\n\r\nno final line end\r\n.\r\n"},
      {"H: x\r\n\r\na\r\r\nb", "H: x\r\n\r\na\r\nb\r\n.\r\n"},
  };
  for (const auto& c : cases) {
    DotStuffer stuffer(c.message);
    std::string wire;
    for (size_t at = 0; at < c.message.size();) at = stuffer.Stuff(at, std::min(at + 3, c.message.size()), wire);
    EXPECT_EQ(wire + stuffer.EndMarker(), c.wire);
  }
}

TEST(SmtpDialogue, WholeDialogue) {
  ScriptedServer server(kGoodReplies);
  Recorder reporter;
  std::string error;
  EXPECT_EQ(DeliverMessage(server, reporter, error, "mail.example.com:2525", "me@example.com", kTwo, "H: x\r\n\r\nbody\n"),
            0);
  EXPECT_EQ(server.connects, std::vector<std::string>{"mail.example.com:2525"});
  EXPECT_EQ(server.written,
            "HELO client\r\nMAIL From:<me@example.com>\r\nRCPT To: <ann@example.com>\r\n"
            "RCPT To: <bob@example.com>\r\nDATA\r\nH: x\r\n\r\nbody\n.\r\nQUIT\r\n");
  EXPECT_EQ(error, "");
  EXPECT_EQ(server.closes, 1);
  EXPECT_EQ(reporter.statuses.front(), "Connecting to: mail.example.com:2525");
}

TEST(SmtpDialogue, ServiceFallsBackToPort25) {
  ScriptedServer server(kGoodReplies, kErrService);
  Recorder reporter;
  std::string error;
  EXPECT_EQ(DeliverMessage(server, reporter, error, "mail", "me@x", kTwo, "m\r\n"), 0);
  EXPECT_EQ(server.connects, (std::vector<std::string>{"mail:smtp", "mail:25"}));
}

TEST(SmtpDialogue, UnreadableHostNameFailsTheConnection) {
  ScriptedServer server(kGoodReplies);
  server.hostNameResult = 11004 - 5000;
  Recorder reporter;
  std::string error;
  EXPECT_EQ(DeliverMessage(server, reporter, error, "h", "me@x", kTwo, "m\r\n", {1, 0}), 1);
  EXPECT_EQ(error, "Unable to connect to SMTP server");
  EXPECT_EQ(server.written, "QUIT\r\n");
  EXPECT_EQ(server.closes, 1);
}

TEST(SmtpDialogue, ServiceLookupErrors) {
  const struct {
    int winsock, error;
  } cases[] = {{11003, kErrService}, {11004, kErrService}, {11001, 6001}, {11002, 6002}, {10093, 5093}};
  for (const auto& c : cases) EXPECT_EQ(ServiceLookupError(c.winsock), c.error) << c.winsock;
}

TEST(SmtpDialogue, RecipientSendDroppedIsTold) {
  ScriptedServer server("220 hi\r\n250 hello\r\n250 ok\r\n");
  server.dropAfter = std::string("HELO client\r\nMAIL From:<me@x>\r\n").size();
  Recorder reporter;
  std::string error;
  testing::internal::CaptureStdout();
  DeliverMessage(server, reporter, error, "h", "me@x", kTwo, "m\r\n", {1, 0});
  const std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_EQ(printed.substr(0, printed.find('\n') + 1), "SMTP server has closed the connection\n");
  EXPECT_EQ(error, "The mail server doesn't like the name ann@example.com.\nHave you set the 'To: ' field correctly?");
}

// A message under 64 KiB shows every percent, and goes in pieces no larger than the socket
// layer's buffer; Stop ends it within one piece.
TEST(SmtpDialogue, ProgressAndStopEveryPiece) {
  const std::string message = "H: x\r\n\r\n" + std::string(20000, 'a') + "\r\n";
  const size_t dialogue = std::string("HELO client\r\nMAIL From:<me@x>\r\nRCPT To: <ann@example.com>\r\n"
                                      "RCPT To: <bob@example.com>\r\nDATA\r\n").size();
  const struct {
    int stopAt;
    size_t largestWritten;
  } cases[] = {{-1, message.size()}, {40, message.size() * 40 / 100 + 512}, {3, message.size() * 3 / 100 + 512}};
  for (const auto& c : cases) {
    ScriptedServer server(kGoodReplies);
    Recorder reporter;
    reporter.stopAt = c.stopAt;
    std::string error;
    DeliverMessage(server, reporter, error, "h", "me@x", kTwo, message);
    std::vector<int> expected;
    for (int percent = 0; percent <= (c.stopAt < 0 ? 99 : c.stopAt); ++percent) expected.push_back(percent);
    EXPECT_EQ(reporter.progress, expected) << c.stopAt;
    EXPECT_LE(server.largestPiece, 512u);
    const size_t sent = server.written.size() - dialogue;
    EXPECT_LE(sent, c.largestWritten + (c.stopAt < 0 ? 3 + 6 : 0)) << c.stopAt;  // end marker and QUIT
  }
}

TEST(SmtpDialogue, Refusals) {
  const DeliveryOptions once{1, 0};
  const struct {
    std::string replies, error;
    int result;
  } cases[] = {
      {"554 go away\r\n221 bye\r\n", "SMTP server reports 220 error", 1},
      {"220 hi\r\n500 what\r\n221 bye\r\n", "SMTP server error", 1},
      {"220 hi\r\n250 hello\r\n553 no\r\n221 bye\r\n",
       "The mail server doesn't like the sender name,\nhave you set your mail address correctly?", 1},
      {"220 hi\r\n250 hello\r\n250 ok\r\n250 ok\r\n550 unknown\r\n221 bye\r\n",
       "The mail server doesn't like the name bob@example.com.\nHave you set the 'To: ' field correctly?", 1},
      {"220 hi\r\n250 hello\r\n250 ok\r\n250 ok\r\n250 ok\r\n451 later\r\n221 bye\r\n",
       "Mail server error accepting DATA: header", 1},
      {"220 hi\r\n250 hello\r\n250 ok\r\n250 ok\r\n250 ok\r\n354 go\r\n554 rejected\r\n221 bye\r\n",
       "Message not accepted by server", 1},
      {"220 hi\r\n250 hello\r\n250 ok\r\n250 ok\r\n250 ok\r\n354 go\r\n", "Message not accepted by server", 1},
      {"220 hi\r\n", "SMTP server error", 1},
  };
  for (const auto& c : cases) {
    ScriptedServer server(c.replies);
    Recorder reporter;
    std::string error;
    EXPECT_EQ(DeliverMessage(server, reporter, error, "h", "me@x", kTwo, "m\r\n", once), c.result) << c.replies;
    EXPECT_EQ(error, c.error) << c.replies;
    EXPECT_EQ(server.closes, 1);
  }
}

TEST(SmtpDialogue, DroppedDuringDataGivesTheSocketError) {
  ScriptedServer server("220 hi\r\n250 hello\r\n250 ok\r\n250 ok\r\n250 ok\r\n354 go\r\n");
  server.dropAfter = 200;
  Recorder reporter;
  std::string error;
  const std::string message = "H: x\r\n\r\n" + std::string(300000, 'a');
  EXPECT_EQ(DeliverMessage(server, reporter, error, "h", "me@x", kTwo, message, {1, 0}), kErrDropped);
  EXPECT_EQ(error, "Message not accepted by server");
}

TEST(SmtpDialogue, StopMidMessageSendsNoEndMarker) {
  ScriptedServer server(kGoodReplies);
  Recorder reporter;
  reporter.stopAt = 40;
  std::string error;
  const std::string message = "H: x\r\n\r\n" + std::string(1000000, 'a') + "\r\n";
  DeliverMessage(server, reporter, error, "h", "me@x", kTwo, message);
  EXPECT_EQ(error, "Message transmission stopped by user...");
  EXPECT_EQ(server.written.find("\r\n.\r\n"), std::string::npos);
  EXPECT_LT(server.written.size(), message.size());
  EXPECT_EQ(server.closes, 1);
  EXPECT_EQ(server.connects.size(), 1u);  // no further try after a stop
}
