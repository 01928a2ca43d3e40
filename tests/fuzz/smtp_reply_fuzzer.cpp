// Feeds arbitrary bytes to the mailer as what an SMTP server says. First they are cut into replies
// by the reply reader alone: a reply ends only at a line end, its code is the three digits that
// start its final line (or -1), and its kept text stays bounded. Then the same bytes answer a
// whole send, which may deliver only when each step got the code it waits for, and writes the
// message and its end marker only after the server agreed to take it.
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "smtp_session.h"
#include "smtp_wire.h"
#include "socket_errors.h"

namespace {

class ScriptedServer : public SmtpTransport {
 public:
  ScriptedServer(const uint8_t* data, size_t size) : replies_(reinterpret_cast<const char*>(data), size) {}
  int Connect(const std::string&, const std::string&) override { return 0; }
  int LocalHostName(std::string& name) override {
    name = "client";
    return 0;
  }
  int Send(const char* data, size_t size) override {
    written.append(data, size);
    return 0;
  }
  int SendBuffered(const char* data, size_t size) override { return Send(data, size); }
  int Flush() override { return 0; }
  int ReadByte(char& c) override {
    if (next_ >= replies_.size()) return kErrDropped;
    c = replies_[next_++];
    return 0;
  }
  int Close() override { return 0; }
  std::string written;

 private:
  std::string replies_;
  size_t next_ = 0;
};

class QuietReporter : public SendReporter {
 public:
  void Status(const std::string&) override {}
  void Progress(int) override {}
  bool StopRequested() const override { return false; }
};

int ThreeDigits(const std::string& line) {
  if (line.size() < 3) return -1;
  for (int i = 0; i < 3; ++i)
    if (!std::isdigit(static_cast<unsigned char>(line[i]))) return -1;
  return (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
}

// The codes of the whole replies in the bytes, each checked on the way.
std::vector<int> Replies(const uint8_t* data, size_t size) {
  std::vector<int> codes;
  SmtpReplyReader reader;
  std::string line;  // the final line so far, line breaks and carriage returns left out
  for (size_t i = 0; i < size; ++i) {
    const char c = char(data[i]);
    const bool continued = ThreeDigits(line) >= 0 && line.size() > 3 && line[3] == '-';
    if (reader.Feed(c) != (c == '\n' && !continued)) std::abort();
    if (c == '\n') {
      if (continued) {
        line.clear();
        continue;
      }
      if (reader.Code() != ThreeDigits(line) || reader.Text().size() > 4096 || reader.Text().back() != '\n')
        std::abort();
      codes.push_back(reader.Code());
      reader = SmtpReplyReader();
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  return codes;
}

const char kMessage[] = "Subject: x\r\n\r\n.a dot\r\n..\r\nend\r\n";
const char kDialogue[] =
    "HELO client\r\nMAIL From:<me@example.com>\r\nRCPT To: <ann@example.com>\r\nRCPT To: <bob@example.com>\r\n"
    "DATA\r\nSubject: x\r\n\r\n..a dot\r\n...\r\nend\r\n.\r\n";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The session reports socket errors on standard output, once for every input.
  if (!std::freopen("/dev/null", "w", stdout)) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<int> codes = Replies(data, size);
  const std::vector<int> wanted = {220, 250, 250, 250, 250, 354, 250};
  size_t agreed = 0;
  while (agreed < wanted.size() && agreed < codes.size() && codes[agreed] == wanted[agreed]) ++agreed;

  ScriptedServer server(data, size);
  QuietReporter reporter;
  std::string error;
  const int result = DeliverMessage(server, reporter, error, "mail", "me@example.com",
                                    {"ann@example.com", "bob@example.com"}, kMessage, {1, 0});
  if ((result == 0) != (agreed == wanted.size()) || (result == 0) != error.empty()) std::abort();
  const std::string message = kDialogue;
  if (agreed < 6 && server.written.find("Subject") != std::string::npos) std::abort();  // no consent to DATA
  if (agreed >= 6 && server.written.compare(0, message.size(), message) != 0) std::abort();
  if (result == 0 && server.written != message + "QUIT\r\n") std::abort();
  return 0;
}
