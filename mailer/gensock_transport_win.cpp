#include "gensock_transport_win.h"

#include "socket_errors.h"

int GensockTransport::Connect(const std::string& host, const std::string& service) {
  Close();
  const int result = gensock_connect(host.c_str(), service.c_str(), &link_);
  gensock_set_timeout(link_, timeoutSeconds_);
  return result;
}

int GensockTransport::LocalHostName(std::string& name) {
  char buffer[1024] = {};
  const int result = gensock_gethostname(buffer, sizeof buffer - 1);
  name = buffer;
  return result;
}

int GensockTransport::Send(const char* data, size_t size) { return gensock_put_data(link_, data, size); }

int GensockTransport::SendBuffered(const char* data, size_t size) { return gensock_put_buffered(link_, data, size); }

int GensockTransport::Flush() { return gensock_flush(link_); }

int GensockTransport::ReadByte(char& c) { return gensock_getchar(link_, 0, &c); }

int GensockTransport::Close() {
  if (!link_) return 0;
  const int result = gensock_close(link_);
  if (result == 0) link_ = nullptr;
  return result;
}
