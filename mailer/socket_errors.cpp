#include "socket_errors.h"

#include <cstdio>

namespace {
const char* const kTexts[] = {
    "Error: Malloc failed (possibly out of memory).",
    "Error: Error sending data.",
    "Error: Error initializing gensock.dll.",
    "Error: Version not supported.",
    "Error: The winsock version specified by gensock is not supported by this winsock.dll.",
    "Error: Network not ready.",
    "Error: Can't resolve (mailserver) hostname.",
    "Error: Can't create a socket (too many simultaneous links?)",
    "Error: Error reading socket.",
    "Error: Not a socket.",
    "Error: Busy.",
    "Error: Error closing socket.",
    "Error: Wait a bit (possible timeout).",
    "Error: Can't resolve service.",
    "Error: Can't connect to mailserver (timed out if winsock.dll error 10060)",
    "Error: Connection to mailserver was dropped.",
    "Error: Mail server refused connection.",
};
}  // namespace

int ServiceLookupError(int winsockError) {
  return winsockError == 11003 || winsockError == 11004 ? kErrService : winsockError - 5000;
}

std::string SocketErrorLine(int code, const char* function) {
  if (code >= kErrNoMemory && code <= kErrRefused) return kTexts[code - kErrNoMemory];
  char line[300];
  std::snprintf(line, sizeof line, "error %d in function '%s'", code, function);
  return line;
}
