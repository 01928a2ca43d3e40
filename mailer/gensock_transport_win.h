#pragma once
// The SMTP dialogue's transport over the socket layer.
#include "gensock_win.h"
#include "smtp_session.h"

class GensockTransport : public SmtpTransport {
 public:
  explicit GensockTransport(int timeoutSeconds = 30) : timeoutSeconds_(timeoutSeconds) {}
  ~GensockTransport() override { Close(); }
  int Connect(const std::string& host, const std::string& service) override;
  int LocalHostName(std::string& name) override;
  int Send(const char* data, size_t size) override;
  int SendBuffered(const char* data, size_t size) override;
  int Flush() override;
  int ReadByte(char& c) override;
  int Close() override;

 private:
  connection* link_ = nullptr;
  int timeoutSeconds_;
};
