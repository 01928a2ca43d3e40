#pragma once
// The socket layer under the SMTP client: one TCP connection to the mail server over Winsock 1.1
// in non-blocking mode, with a time-out on every wait and a 512-byte buffer for the message's
// bytes. Every function returns 0 or one of the numbered errors of socket_errors.h.
#include <winsock.h>

#include <string>

struct connection;

int gensock_connect(const char* host, const char* service, connection** out);
// The next received byte; poll: do not wait when nothing has arrived.
int gensock_getchar(connection* link, int poll, char* out);
int gensock_put_data(connection* link, const char* data, size_t length);
// Appends to the out buffer, which goes whenever it is full.
int gensock_put_buffered(connection* link, const char* data, size_t length);
// Sends what waits in the out buffer.
int gensock_flush(connection* link);
int gensock_close(connection* link);
int gensock_gethostname(char* name, int size);

// How long a read or a write may wait for the server; 30 seconds unless set.
void gensock_set_timeout(connection* link, int seconds);
