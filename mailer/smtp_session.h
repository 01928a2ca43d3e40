#pragma once
// The SMTP dialogue (HELO, MAIL From, RCPT To, DATA, the message, QUIT) over a transport, with
// the outcome of each step in the caller's error text. Every send has a session of its own, so
// several windows can send at once.
#include <string>
#include <vector>

// A byte stream to the server; every call returns 0 or a socket error number.
class SmtpTransport {
 public:
  virtual ~SmtpTransport() = default;
  virtual int Connect(const std::string& host, const std::string& service) = 0;
  virtual int LocalHostName(std::string& name) = 0;
  virtual int Send(const char* data, size_t size) = 0;
  // The message's bytes go through a small buffer, sent whenever it is full and at Flush.
  virtual int SendBuffered(const char* data, size_t size) = 0;
  virtual int Flush() = 0;
  // The next byte, waiting for it up to the transport's time-out.
  virtual int ReadByte(char& c) = 0;
  virtual int Close() = 0;
};

// Where a send reports to, and how it learns that the user pressed Stop.
class SendReporter {
 public:
  virtual ~SendReporter() = default;
  virtual void Status(const std::string& text) = 0;
  virtual void Progress(int percent) = 0;
  virtual bool StopRequested() const = 0;
};

class SmtpSession {
 public:
  SmtpSession(SmtpTransport& transport, SendReporter& reporter, std::string& errorText);
  ~SmtpSession();

  // Connects and runs the dialogue up to the server's consent to DATA: 0, else -1.
  int Open(const std::string& server, const std::string& sender, const std::vector<std::string>& recipients);
  // Sends the message and its end marker; 0 when the server took it. After a stop the
  // connection is dropped without the end marker, so no half message is ever delivered.
  int SendMessage(const std::string& message);
  int Quit();
  void Disconnect();

 private:
  // Connects and reads the local host name for HELO.
  int Connect(const std::string& server, std::string& hostName);
  int GetReply();
  int Send(const std::string& text, const char* failure);
  int Fail(const std::string& text);
  int Transmit(const std::string& message);
  void PrintError(int code, const char* function);

  SmtpTransport& transport_;
  SendReporter& reporter_;
  std::string& errorText_;
  bool connected_ = false;
};

// Up to tries attempts of the whole dialogue, pausing retryWaitMs before each but the first; a
// stop ends the attempts at once. Returns 0 or the absolute value of the last attempt's result.
struct DeliveryOptions {
  int tries = 3;
  int retryWaitMs = 15000;
};
int DeliverMessage(SmtpTransport& transport, SendReporter& reporter, std::string& errorText,
                   const std::string& server, const std::string& sender,
                   const std::vector<std::string>& recipients, const std::string& message,
                   const DeliveryOptions& options = {});
