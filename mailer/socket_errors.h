#pragma once
// The socket layer's numbered errors. Winsock errors without a number of their own are passed on
// as the Winsock number minus 5000.
#include <string>

enum SocketError {
  kErrNoMemory = 4001,
  kErrSending = 4002,
  kErrInitializing = 4003,
  kErrVersionNotSupported = 4004,
  kErrWinsockVersion = 4005,
  kErrNetworkNotReady = 4006,
  kErrHostName = 4007,
  kErrCreateSocket = 4008,
  kErrReading = 4009,
  kErrNotASocket = 4010,
  kErrBusy = 4011,
  kErrClosing = 4012,
  kErrWaitABit = 4013,
  kErrService = 4014,
  kErrConnect = 4015,
  kErrDropped = 4016,
  kErrRefused = 4017,
};

// The error of a service name that Winsock could not look up: kErrService when it knows no such
// service (11003, 11004), else the Winsock number minus 5000.
int ServiceLookupError(int winsockError);

// The line written to standard output for an error of the named function.
std::string SocketErrorLine(int code, const char* function);
