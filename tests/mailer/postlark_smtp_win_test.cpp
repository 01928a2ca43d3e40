// Sends through the mailer's own socket layer to the servers that smtp_check.py runs; that
// script then checks what arrived. Here: what the sending side reports.
#include <gtest/gtest.h>

#include <thread>

#include "compose_and_send_win.h"
#include "mail_test_env_win.h"

namespace {
class Recorder : public SendReporter {
 public:
  void Status(const std::string& text) override { statuses.push_back(text); }
  void Progress(int percent) override {
    if (stopAt >= 0 && percent >= stopAt) stop = true;
  }
  bool StopRequested() const override { return stop; }
  std::vector<std::string> statuses;
  int stopAt = -1;
  bool stop = false;
};

MessageWindowState Message(const std::string& server, const std::string& subject) {
  MessageWindowState state;
  state.settings.smtpHost = server;
  state.settings.replyTo = "me@example.com";
  state.to = "Ann <ann@example.com>";
  state.subject = subject;
  state.body = "text";
  return state;
}

const SendOptions kOnce{5, {1, 0}};
}  // namespace

TEST(SmtpSend, PicturesAndEdgeCasesArriveWhole) {
  MessageWindowState state = Message(LocalServer("POSTLARK_SMTP"), "Gr\xFC\xDF" "e");
  state.cc = "bob@example.com";
  state.body = "a=b\r\n.dot line\r\n" + std::string(100, 'x') + "\r\nno final line end";
  for (const char* name :
       {"holiday.png", "three.bin", "fiftyfour.bin", "dots.txt", "Gr\xFC\xDF" "e 1.bin", "pictures\\*.jpg", "missing.jpg"})
    state.AddAttachment(TestFilePath(name));
  Recorder reporter;
  EXPECT_EQ(ComposeAndSend(state, reporter), 0) << state.errorText;
  EXPECT_NE(std::find(reporter.statuses.begin(), reporter.statuses.end(), "File not found: " + TestFilePath("missing.jpg")),
            reporter.statuses.end());
}

TEST(SmtpSend, ReducedPictureGoesAsJpeg) {
  MessageWindowState state = Message(LocalServer("POSTLARK_SMTP"), "Reduced");
  state.settings.doResize = 1;
  state.settings.resizeWidth = 160;
  state.settings.resizeHeight = 120;
  state.AddAttachment(TestFilePath("holiday.png"));
  state.AddAttachment(TestFilePath("three.bin"));
  Recorder reporter;
  EXPECT_EQ(ComposeAndSend(state, reporter), 0) << state.errorText;
}

TEST(SmtpSend, HostileHeadersStayHeaders) {
  MessageWindowState state =
      Message(LocalServer("POSTLARK_SMTP"), "Injected\r\nBcc: eve@example.com\r\nX-Evil: 1 ?= " + std::string(300, 'y'));
  state.to = "Ann\r\nBcc: eve@example.com <ann@example.com>";
  Recorder reporter;
  EXPECT_EQ(ComposeAndSend(state, reporter), 0) << state.errorText;
}

TEST(SmtpSend, StopMidSendDeliversNothing) {
  MessageWindowState state = Message(LocalServer("POSTLARK_SMTP"), "Stopped send");
  state.AddAttachment(TestFilePath("large.bin"));
  Recorder reporter;
  reporter.stopAt = 30;
  ComposeAndSend(state, reporter);
  EXPECT_EQ(state.errorText, "Message transmission stopped by user...");
}

TEST(SmtpSend, SlowServerWithRepliesByteByByte) {
  MessageWindowState state = Message(LocalServer("POSTLARK_SLOW"), "Slow server");
  state.AddAttachment(TestFilePath("fiftyfour.bin"));
  Recorder reporter;
  EXPECT_EQ(ComposeAndSend(state, reporter, kOnce), 0) << state.errorText;
}

TEST(SmtpSend, FailuresAreReported) {
  const struct {
    const char* port;
    int timeoutSeconds;
    int result;
    const char* error;
  } cases[] = {
      {"POSTLARK_DROP", 5, 4016, "Message not accepted by server"},
      {"POSTLARK_SILENT", 1, 1, "Message not accepted by server"},
      {"POSTLARK_EARLY", 5, 1, "SMTP server reports 220 error"},
      {"POSTLARK_REFUSED", 5, 1, "Unable to connect to SMTP server"},
  };
  for (const auto& c : cases) {
    MessageWindowState state = Message(LocalServer(c.port), "Dropped");
    state.AddAttachment(TestFilePath("large.bin"));
    Recorder reporter;
    EXPECT_EQ(ComposeAndSend(state, reporter, {c.timeoutSeconds, {1, 0}}), c.result) << c.port;
    EXPECT_EQ(state.errorText, c.error) << c.port;
  }
}

TEST(SmtpSend, CheckedBeforeConnecting) {
  const struct {
    std::string server, sender, to, attachment;
    int result;
    std::string error;
  } cases[] = {
      {"", "me@example.com", "ann@example.com", "", 12, "Set the SMTP server's address and the user name in Settings"},
      {"127.0.0.1", "", "ann@example.com", "", 12, "Set the SMTP server's address and the user name in Settings"},
      {"127.0.0.1", "me@example.com", " , ", "", 101, "No Recipients!"},
  };
  for (const auto& c : cases) {
    MessageWindowState state = Message(c.server, "never sent");
    state.settings.replyTo = c.sender;
    state.to = c.to;
    if (!c.attachment.empty()) state.attachments.push_back(c.attachment);
    Recorder reporter;
    EXPECT_EQ(ComposeAndSend(state, reporter), c.result) << c.to;
    EXPECT_EQ(state.errorText, c.error);
  }
}

TEST(SmtpSend, UnreadableAttachmentStopsTheSend) {
  const std::string path = TestFilePath("three.bin");
  HANDLE locked = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  MessageWindowState state = Message(LocalServer("POSTLARK_SMTP"), "never sent");
  state.AddAttachment(path);
  Recorder reporter;
  EXPECT_EQ(ComposeAndSend(state, reporter), 3);
  EXPECT_EQ(state.errorText, "error reading " + path + ", aborting\n");
  ::CloseHandle(locked);
}

TEST(SmtpSend, TwoSendsAtOnce) {
  MessageWindowState first = Message(LocalServer("POSTLARK_SMTP"), "Parallel 1");
  MessageWindowState second = Message(LocalServer("POSTLARK_SLOW"), "Parallel 2");
  first.AddAttachment(TestFilePath("large.bin"));
  int results[2] = {-1, -1};
  std::thread a([&] {
    Recorder reporter;
    results[0] = ComposeAndSend(first, reporter);
  });
  std::thread b([&] {
    Recorder reporter;
    results[1] = ComposeAndSend(second, reporter);
  });
  a.join();
  b.join();
  EXPECT_EQ(results[0], 0) << first.errorText;
  EXPECT_EQ(results[1], 0) << second.errorText;
}
