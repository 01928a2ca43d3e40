#include "smtp_session.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "smtp_wire.h"
#include "socket_errors.h"

namespace {
// The message goes in pieces no larger than the socket layer's buffer, so that Stop takes effect
// within one of them.
constexpr size_t kTransmitPiece = 512;

// Where the piece from offset ends: at most kTransmitPiece on, and where the whole percentage
// of size next changes, so that the progress shows every percent.
size_t PieceEnd(size_t offset, size_t size) {
  const unsigned long long percent = static_cast<unsigned long long>(offset) * 100 / size;
  const size_t nextPercent = static_cast<size_t>(((percent + 1) * size + 99) / 100);
  return std::min({size, offset + kTransmitPiece, nextPercent});
}
}  // namespace

SmtpSession::SmtpSession(SmtpTransport& transport, SendReporter& reporter, std::string& errorText)
    : transport_(transport), reporter_(reporter), errorText_(errorText) {}

SmtpSession::~SmtpSession() { Disconnect(); }

void SmtpSession::PrintError(int code, const char* function) {
  std::printf("%s\n", SocketErrorLine(code, function).c_str());
  std::fflush(stdout);
}

int SmtpSession::Connect(const std::string& server, std::string& hostName) {
  std::string host, port;
  SplitServer(server, host, port);
  int result = transport_.Connect(host, port.empty() ? "smtp" : port);
  if (result == kErrService && port.empty()) result = transport_.Connect(host, "25");
  if (result != 0) {
    PrintError(result, "gensock_connect");
    return -1;
  }
  connected_ = true;
  const int nameResult = transport_.LocalHostName(hostName);
  if (nameResult != 0) {
    PrintError(nameResult, "gensock_gethostname");
    return -1;
  }
  return 0;
}

int SmtpSession::GetReply() {
  SmtpReplyReader reader;
  for (;;) {
    char c;
    const int result = transport_.ReadByte(c);
    if (result != 0) {
      PrintError(result, "gensock_getchar");
      return -1;
    }
    if (reader.Feed(c)) return reader.Code();
  }
}

int SmtpSession::Send(const std::string& text, const char* failure) {
  const int result = transport_.Send(text.data(), text.size());
  if (result != 0) {
    PrintError(result, "gensock_put_data");
    if (failure) Fail(failure);
  }
  return result;
}

int SmtpSession::Fail(const std::string& text) {
  errorText_ = text;
  if (connected_ && transport_.Send("QUIT\r\n", 6) == 0) GetReply();
  return -1;
}

int SmtpSession::Open(const std::string& server, const std::string& sender,
                      const std::vector<std::string>& recipients) {
  if (reporter_.StopRequested()) return -1;
  reporter_.Status("Connecting to: " + server);
  std::string hostName;
  if (Connect(server, hostName) != 0) return Fail("Unable to connect to SMTP server");
  if (reporter_.StopRequested()) return -1;
  if (GetReply() != 220) return Fail("SMTP server reports 220 error");

  if (reporter_.StopRequested()) return -1;
  const std::string helo = "HELO " + hostName + "\r\n";
  reporter_.Status(helo);
  if (Send(helo, "SMTP server refuses HELO: message") != 0) return -1;
  if (GetReply() != 250) return Fail("SMTP server error");

  if (reporter_.StopRequested()) return -1;
  const std::string from = "MAIL From:<" + sender + ">\r\n";
  reporter_.Status(from);
  if (Send(from, "SMTP server refuses MAIL From: message") != 0) return -1;
  if (GetReply() != 250)
    return Fail("The mail server doesn't like the sender name,\nhave you set your mail address correctly?");

  for (const std::string& recipient : recipients) {
    if (reporter_.StopRequested()) return -1;
    const std::string rcpt = "RCPT To: <" + recipient + ">\r\n";
    reporter_.Status(rcpt);
    // A failed send is only told here; the reply decides.
    if (const int result = transport_.Send(rcpt.data(), rcpt.size())) {
      if (result == kErrDropped) {
        std::printf("SMTP server has closed the connection\n");
        std::fflush(stdout);
      } else {
        PrintError(result, "gensock_put_data");
      }
    }
    if (GetReply() != 250)
      return Fail("The mail server doesn't like the name " + recipient + ".\nHave you set the 'To: ' field correctly?");
  }

  if (reporter_.StopRequested()) return -1;
  reporter_.Status("DATA\r\n");
  if (Send("DATA\r\n", "Mail server error sending DATA: header") != 0) return -1;
  if (GetReply() != 354) return Fail("Mail server error accepting DATA: header");
  return 0;
}

int SmtpSession::Transmit(const std::string& message) {
  reporter_.Status("Transmitting message and attachments...");
  DotStuffer stuffer(message);
  std::string piece;
  int shown = -1;
  for (size_t offset = 0; offset < message.size();) {
    if (reporter_.StopRequested()) return 0;
    const int percent = static_cast<int>(static_cast<unsigned long long>(offset) * 100 / message.size());
    if (percent != shown) reporter_.Progress(shown = percent);
    piece.clear();
    offset = stuffer.Stuff(offset, PieceEnd(offset, message.size()), piece);
    const int result = transport_.SendBuffered(piece.data(), piece.size());
    if (result != 0) return result;
  }
  if (reporter_.StopRequested()) return 0;
  const std::string marker = stuffer.EndMarker();
  if (const int result = transport_.SendBuffered(marker.data(), marker.size())) return result;
  return transport_.Flush();
}

int SmtpSession::SendMessage(const std::string& message) {
  const int result = Transmit(message);
  if (result != 0) {
    PrintError(result, "gensock_put_data");
    Fail("Message not accepted by server");
    return result;
  }
  if (reporter_.StopRequested()) {
    errorText_ = "Message transmission stopped by user...";
    Disconnect();
    return -1;
  }
  if (GetReply() != 250) return Fail("Message not accepted by server");
  return 0;
}

int SmtpSession::Quit() {
  const int result = Send("QUIT\r\n", nullptr);
  if (result == 0) GetReply();
  return result;
}

void SmtpSession::Disconnect() {
  if (!connected_) return;
  connected_ = false;
  const int result = transport_.Close();
  if (result != 0) PrintError(result, "gensock_close");
}

namespace {
// Waits out the pause before another try, in short steps so that Stop ends it.
bool PauseUnlessStopped(const SendReporter& reporter, int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end) {
    if (reporter.StopRequested()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return !reporter.StopRequested();
}
}  // namespace

int DeliverMessage(SmtpTransport& transport, SendReporter& reporter, std::string& errorText,
                   const std::string& server, const std::string& sender,
                   const std::vector<std::string>& recipients, const std::string& message,
                   const DeliveryOptions& options) {
  int result = -1;
  for (int attempt = 1; attempt <= options.tries; ++attempt) {
    if (attempt > 1) {
      std::printf("\nTry number %d of %d.\n", attempt, options.tries);
      if (!PauseUnlessStopped(reporter, options.retryWaitMs)) break;
    }
    SmtpSession session(transport, reporter, errorText);
    result = session.Open(server, sender, recipients);
    if (result == 0 && !reporter.StopRequested()) {
      reporter.Status("Begin message transmission...");
      result = session.SendMessage(message);
      reporter.Status("Closing connection");
      if (result == 0 && !reporter.StopRequested()) {
        session.Quit();
        break;
      }
    }
    if (reporter.StopRequested()) break;
  }
  return std::abs(result);
}
