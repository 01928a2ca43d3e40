#pragma once
// Builds the message of a window's state in memory and delivers it.
#include "message_state.h"
#include "smtp_session.h"

struct SendOptions {
  int timeoutSeconds = 30;
  DeliveryOptions delivery;
};

// 0 on success; 12 no server or sender, 101 no recipients, 3, 4, 5 attachment errors, else the
// SMTP client's last result. The reason is in state.errorText.
int ComposeAndSend(MessageWindowState& state, SendReporter& reporter, const SendOptions& options = {});

// The sending thread of a message window (state as parameter).
DWORD WINAPI SendThreadProc(LPVOID state);
