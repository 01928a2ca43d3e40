#include "gensock_win.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

#include "socket_errors.h"

namespace {
constexpr size_t kBufferSize = 512;
constexpr int kLargestSend = 1024;

// Winsock runs while any connection of the process is open; the list is shared by the sending
// threads of all message windows.
std::mutex g_listLock;
std::vector<connection*> g_open;

void ShowSocketError(const char* format, int code) {
  char text[200];
  std::snprintf(text, sizeof text, format, code);
  ::MessageBoxA(nullptr, text, "Socket library Error", MB_OK | MB_ICONERROR);
}

int StartWinsock() {
  WSADATA data;
  switch (::WSAStartup(MAKEWORD(1, 1), &data)) {
    case 0: return 0;
    case WSAEINVAL: return kErrWinsockVersion;
    case WSAVERNOTSUPPORTED: return kErrVersionNotSupported;
    case WSASYSNOTREADY: return kErrNetworkNotReady;
    default: return kErrInitializing;
  }
}

int ResolveService(const char* service, unsigned short& port) {
  bool digits = *service != '\0';
  for (const char* c = service; *c; ++c) digits = digits && *c >= '0' && *c <= '9';
  if (digits) {
    const long number = std::strtol(service, nullptr, 10);
    if (number <= 0 || number > 65535) return kErrService;
    port = ::htons(static_cast<unsigned short>(number));
    return 0;
  }
  const servent* entry = ::getservbyname(service, "tcp");
  if (entry) {
    port = entry->s_port;
    return 0;
  }
  return ServiceLookupError(::WSAGetLastError());
}

int ResolveHost(const char* host, in_addr& address) {
  address.s_addr = ::inet_addr(host);
  if (address.s_addr != INADDR_NONE) return 0;
  const hostent* entry = ::gethostbyname(host);
  if (!entry || !entry->h_addr_list[0]) return kErrHostName;
  std::memcpy(&address, entry->h_addr_list[0], sizeof address);
  return 0;
}

bool Listed(connection* link) {
  std::lock_guard<std::mutex> lock(g_listLock);
  for (connection* open : g_open)
    if (open == link) return true;
  return false;
}
}  // namespace

struct connection {
  SOCKET socket = INVALID_SOCKET;
  char inBuffer[kBufferSize];
  char outBuffer[kBufferSize];
  int inIndex = 0;
  int inCount = 0;
  size_t outCount = 0;
  timeval timeout{30, 0};

  int Connect(const char* host, const char* service);
  int GetBuffer(bool poll);
  int PutData(const char* data, size_t length);
  // Waits until the socket can be read (write false) or written; 0, or kErrWaitABit after the
  // time-out (at once when polling).
  int Wait(bool write, bool poll);
};

int connection::Connect(const char* host, const char* service) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  if (int error = ResolveService(service, address.sin_port)) return error;
  if (int error = ResolveHost(host, address.sin_addr)) return error;
  socket = ::socket(AF_INET, SOCK_STREAM, 0);
  if (socket == INVALID_SOCKET) return kErrCreateSocket;
  // Close at once, without lingering over unsent bytes: a stopped send leaves nothing behind.
  const BOOL noLinger = FALSE;
  ::setsockopt(socket, SOL_SOCKET, SO_DONTLINGER, reinterpret_cast<const char*>(&noLinger), sizeof noLinger);
  if (::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == SOCKET_ERROR) {
    const int error = ::WSAGetLastError();
    if (error == WSAECONNREFUSED) return kErrRefused;
    if (error != WSAEWOULDBLOCK) {
      ShowSocketError("unexpected error %d from winsock", error);
      return kErrConnect;
    }
  }
  u_long nonBlocking = 1;
  ::ioctlsocket(socket, FIONBIO, &nonBlocking);
  return 0;
}

int connection::Wait(bool write, bool poll) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(socket, &set);
  timeval wait = poll ? timeval{0, 0} : timeout;
  const int ready = ::select(0, write ? nullptr : &set, write ? &set : nullptr, nullptr, &wait);
  if (ready == SOCKET_ERROR) {
    const int error = ::WSAGetLastError();
    if (!(poll && error == WSAEINPROGRESS))
      ShowSocketError(write ? "connection::put_data() unexpected error from select: %d"
                            : "connection::get_buffer() unexpected error from select: %d",
                      error);
    return kErrWaitABit;
  }
  return ready == 0 ? kErrWaitABit : 0;
}

int connection::GetBuffer(bool poll) {
  if (int error = Wait(false, poll)) return error;
  const int received = ::recv(socket, inBuffer, kBufferSize, 0);
  if (received == 0) return kErrDropped;
  if (received == SOCKET_ERROR) {
    const int error = ::WSAGetLastError();
    if (error == WSAEWOULDBLOCK) return kErrWaitABit;
    if ((error >= WSAENETDOWN && error <= WSAECONNRESET) || error == WSAENOTCONN) return kErrDropped;
    ShowSocketError("connection::get_buffer() unexpected error: %d", error);
    return kErrReading;
  }
  inCount = received;
  inIndex = 0;
  return 0;
}

// Each wait for the socket to take more bytes is bounded by the time-out, so a server that
// stops reading ends the send with an error instead of holding the thread for ever.
int connection::PutData(const char* data, size_t length) {
  while (length > 0) {
    if (int error = Wait(true, false)) return error;
    const int piece = static_cast<int>(std::min<size_t>(length, kLargestSend));
    const int sent = ::send(socket, data, piece, 0);
    if (sent == SOCKET_ERROR) {
      const int error = ::WSAGetLastError();
      if (error == WSAEWOULDBLOCK || error == WSAEINPROGRESS) continue;
      if (error == WSAENOTCONN || (error >= WSAENETDOWN && error <= WSAECONNRESET)) return kErrDropped;
      ShowSocketError("connection::put_data() unexpected error from send(): %d", error);
      return kErrSending;
    }
    data += sent;
    length -= static_cast<size_t>(sent);
  }
  return 0;
}

int gensock_connect(const char* host, const char* service, connection** out) {
  *out = nullptr;
  connection* link = new (std::nothrow) connection;
  if (!link) return kErrInitializing;
  {
    std::lock_guard<std::mutex> lock(g_listLock);
    if (g_open.empty()) {
      if (int error = StartWinsock()) {
        delete link;
        return error;
      }
    }
    g_open.push_back(link);
  }
  if (int error = link->Connect(host, service)) {
    gensock_close(link);
    return error;
  }
  *out = link;
  return 0;
}

int gensock_getchar(connection* link, int poll, char* out) {
  if (!link) return kErrNotASocket;
  if (link->inIndex >= link->inCount) {
    if (int error = link->GetBuffer(poll != 0)) return error;
  }
  *out = link->inBuffer[link->inIndex++];
  return 0;
}

int gensock_put_data(connection* link, const char* data, size_t length) {
  if (!link) return kErrNotASocket;
  return link->PutData(data, length);
}

int gensock_put_buffered(connection* link, const char* data, size_t length) {
  if (!link) return kErrNotASocket;
  while (link->outCount + length >= kBufferSize) {
    const size_t fill = kBufferSize - link->outCount;
    std::memcpy(link->outBuffer + link->outCount, data, fill);
    link->outCount = 0;
    if (int error = link->PutData(link->outBuffer, kBufferSize)) return error;
    data += fill;
    length -= fill;
  }
  std::memcpy(link->outBuffer + link->outCount, data, length);
  link->outCount += length;
  return 0;
}

int gensock_flush(connection* link) {
  if (!link) return kErrNotASocket;
  const size_t waiting = link->outCount;
  link->outCount = 0;
  return link->PutData(link->outBuffer, waiting);
}

int gensock_close(connection* link) {
  if (!link || !Listed(link)) return kErrNotASocket;
  if (link->socket != INVALID_SOCKET && ::closesocket(link->socket) == SOCKET_ERROR) return kErrClosing;
  std::lock_guard<std::mutex> lock(g_listLock);
  for (auto it = g_open.begin(); it != g_open.end(); ++it)
    if (*it == link) {
      g_open.erase(it);
      break;
    }
  delete link;
  if (g_open.empty()) ::WSACleanup();
  return 0;
}

int gensock_gethostname(char* name, int size) {
  if (::gethostname(name, size) == SOCKET_ERROR) return ::WSAGetLastError() - 5000;
  return 0;
}

void gensock_set_timeout(connection* link, int seconds) {
  if (link) link->timeout = timeval{seconds, 0};
}
