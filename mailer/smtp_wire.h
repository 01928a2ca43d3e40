#pragma once
// What goes over the wire in an SMTP dialogue besides the commands: the server's replies, read
// byte by byte, and the message with its dots doubled.
#include <cstddef>
#include <string>

// Collects one reply, however the server splits it: continuation lines ("250-...") up to the
// final "NNN " line. The kept text is bounded; the rest of a long reply is read and dropped.
class SmtpReplyReader {
 public:
  // Takes one byte; true once the reply's final line has ended.
  bool Feed(char c);
  // The number of the final line, or -1 when that line does not start with three digits.
  int Code() const { return code_; }
  const std::string& Text() const { return text_; }

 private:
  std::string line_;
  std::string text_;
  int code_ = -1;
};

// Turns the message into DATA's bytes: in the header block a CR CR LF is dropped; a CR right
// after a CR is dropped; a dot at the start of a line is doubled.
class DotStuffer {
 public:
  explicit DotStuffer(const std::string& message);
  // Appends the bytes for message[from, to) to out; returns where the next piece starts (past to
  // when a dropped sequence ran over it).
  size_t Stuff(size_t from, size_t to, std::string& out);
  // ".\r\n" after a message that ends with LF, else "\r\n.\r\n".
  const char* EndMarker() const;

 private:
  const std::string& message_;
  size_t headerEnd_;
  char previous_ = '\n';
};

// The SMTP server string "host[:port]": the port part is empty when none is given.
void SplitServer(const std::string& server, std::string& host, std::string& port);
