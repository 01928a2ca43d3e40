#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "compose_and_send_win.h"
#include "mailer_dialogs_win.h"
#include "mailer_registry_win.h"
#include "message_file.h"
#include "message_file_dialog_win.h"
#include "postlark_resource.h"
#include "recipients.h"

namespace {
constexpr UINT WM_MODELESS_OPENED = 0x43C;
constexpr UINT WM_MODELESS_CLOSED = 0x43D;
constexpr size_t kRecipientField = 100000;
constexpr size_t kSubjectField = 1000;
constexpr size_t kTextField = 65000;
constexpr size_t kMessageFile = 70000;
const int kInputControls[] = {IDC_TO, IDC_CC, IDC_SUBJECT, IDC_TEXT, IDC_SEND};
// The commands that change the message; Save, Settings and Contacts leave it as it is.
const int kEditingCommands[] = {ID_MAIL_OPEN, ID_MAIL_ATTACHMENTS};
const int kSendingControls[] = {IDC_PROGRESS, IDC_STATUS, IDC_STOP};

MessageWindowState* StateOf(HWND window) {
  return reinterpret_cast<MessageWindowState*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

HWND Item(HWND window, int id) { return ::GetDlgItem(window, id); }

int TextHeight(HWND control) {
  RECT rect;
  ::GetWindowRect(control, &rect);
  return rect.bottom - rect.top;
}

int TextWidth(HWND control) {
  RECT rect;
  ::GetWindowRect(control, &rect);
  return rect.right - rect.left;
}

void Place(HWND window, int id, int x, int y, int width, int height) {
  ::MoveWindow(Item(window, id), x, y, width, height, FALSE);
}

void Layout(HWND window, const MessageWindowState& state) {
  RECT client;
  ::GetClientRect(window, &client);
  const int W = client.right, H = client.bottom;
  const int h = TextHeight(Item(window, IDC_TO_LABEL)), s = TextHeight(Item(window, IDC_SUBJECT));
  const int half = (W - 105) / 2;
  Place(window, IDC_SEND, W - 95, h - 2, 90, 28);
  Place(window, IDC_TO, 1, h + 1, half, H - (h + 1));
  Place(window, IDC_CC_LABEL, half + 5, 1, TextWidth(Item(window, IDC_CC_LABEL)), h);
  Place(window, IDC_CC, half + 5, h + 1, half, H - (h + 1));
  int y = h + 1 + s + 1;
  Place(window, IDC_SUBJECT_LABEL, 1, y, TextWidth(Item(window, IDC_SUBJECT_LABEL)), h);
  y += h + 1;
  Place(window, IDC_SUBJECT, 1, y, W - 2, s);
  y += s + 5;
  if (!state.sending) {
    Place(window, IDC_TEXT, 1, y, W - 2, H - y);
  } else {
    Place(window, IDC_TEXT, 1, y, W - 2, H - y - h - 19);
    Place(window, IDC_PROGRESS, 1, H - 18, W - 101, 17);
    Place(window, IDC_STATUS, 1, H - h - 19, W - 101, h);
    Place(window, IDC_STOP, W - 95, H - 29, 90, 28);
  }
  ::InvalidateRect(window, nullptr, TRUE);
}

void KeepMinimumSize(WPARAM edge, RECT& rect) {
  if (rect.right - rect.left < 300) {
    if (edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT) rect.right = rect.left + 300;
    else rect.left = rect.right - 300;
  }
  if (rect.bottom - rect.top < 200) {
    if (edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT) rect.bottom = rect.top + 200;
    else rect.top = rect.bottom - 200;
  }
}

void UpdateMessageTitle(HWND window, const MessageWindowState& state) {
  char caption[64];
  std::snprintf(caption, sizeof caption, "Email message - %i attachments", static_cast<int>(state.attachments.size()));
  ::SetWindowTextA(window, caption);
}

void FillContactCombo(HWND combo) {
  const std::string text = WindowText(combo, 1000);
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& name : g_mailerSettings.contactNames)
    ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  ::SetWindowTextA(combo, text.c_str());
}

MessageFields ControlFields(HWND window) {
  return {WindowText(Item(window, IDC_TO), kRecipientField), WindowText(Item(window, IDC_CC), kRecipientField),
          WindowText(Item(window, IDC_SUBJECT), kSubjectField), WindowText(Item(window, IDC_TEXT), kTextField)};
}

void ReadMessageControls(HWND window, MessageWindowState& state) {
  const MessageFields fields = ControlFields(window);
  state.to = fields.to;
  state.cc = fields.cc;
  state.subject = fields.subject;
  state.body = fields.text;
}

// Every modal dialog or box runs a message loop that may deliver the send's outcome, and the
// outcome can free the record and the window; it waits until the last of them has gone.
class ModalScope {
 public:
  ModalScope(HWND window, MessageWindowState& state) : window_(window), state_(state) { ++state_.modalDepth; }
  ~ModalScope() {
    if (--state_.modalDepth > 0 || !state_.deferredOutcome) return;
    ::PostMessageA(window_, state_.deferredOutcome, 0, 0);
    state_.deferredOutcome = 0;
  }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  HWND window_;
  MessageWindowState& state_;
};

void ShowSendingControls(HWND window, MessageWindowState& state, bool sending) {
  for (int id : kInputControls) ::EnableWindow(Item(window, id), !sending);
  for (int id : kEditingCommands)
    ::EnableMenuItem(::GetMenu(window), id, MF_BYCOMMAND | (sending ? MF_GRAYED : MF_ENABLED));
  ::DragAcceptFiles(window, !sending);
  for (int id : kSendingControls) ::ShowWindow(Item(window, id), sending ? SW_SHOW : SW_HIDE);
  if (!sending) ::SendMessageA(Item(window, IDC_PROGRESS), PBM_SETPOS, 0, 0);
  state.sending = sending;
  state.stop = 0;
  ::PostMessageA(window, WM_SIZE, 0, 0);
}

void Send(HWND window, MessageWindowState& state) {
  if (state.sending) return;
  ReadMessageControls(window, state);
  const std::vector<Contact> contacts = g_mailerSettings.Contacts();
  state.to = ResolveRecipients(ResolveRecipients(state.to, contacts), contacts);
  state.cc = ResolveRecipients(ResolveRecipients(state.cc, contacts), contacts);
  state.settings = g_mailerSettings;
  state.errorText.clear();
  ShowSendingControls(window, state, true);
  state.thread = ::CreateThread(nullptr, 0, SendThreadProc, &state, 0, nullptr);
  if (!state.thread) {
    state.errorText = "Unable to start sending";
    ::PostMessageA(window, WM_MAIL_ERROR, 0, 0);
    return;
  }
  ::SetThreadPriority(state.thread, THREAD_PRIORITY_BELOW_NORMAL);
}

// The sending thread's last act is to post its outcome, so this wait is short.
void JoinSendThread(MessageWindowState& state) {
  if (!state.thread) return;
  ::WaitForSingleObject(state.thread, INFINITE);
  ::CloseHandle(state.thread);
  state.thread = nullptr;
}

// Frees the record once no thread uses it, and destroys the window.
void FreeStateAndClose(HWND window) {
  MessageWindowState* state = StateOf(window);
  if (state) JoinSendThread(*state);
  delete state;
  ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  // Status texts still queued would go with the window; they are the window's to delete.
  MSG queued;
  while (::PeekMessageA(&queued, window, WM_MAIL_STATUS, WM_MAIL_STATUS, PM_REMOVE))
    delete reinterpret_cast<std::string*>(queued.lParam);
  ::DestroyWindow(window);
}

// While a send runs, the window hides and stops it, and goes once the thread has reported.
void AskToClose(HWND window, MessageWindowState& state) {
  bool yes;
  {
    ModalScope modal(window, state);
    yes = ::MessageBoxA(window, "Are you sure you want to close this message window?", "Close message?",
                        MB_YESNO | MB_ICONQUESTION) == IDYES;
  }
  if (!yes) return;
  if (!state.sending) return FreeStateAndClose(window);
  state.closeWhenStopped = true;
  state.stop = 1;
  ::ShowWindow(window, SW_HIDE);
}

// Saves what the controls show; the record is the sending thread's to read meanwhile.
void SaveMessageText(HWND window, const MessageFields& fields) {
  std::string path;
  if (!ChooseMessageFile(window, true, path)) return;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return;
  const std::string bytes = FormatMessageFile(fields);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written)
    ::MessageBoxA(window, ("Unable to write " + path).c_str(), "Error!", MB_OK | MB_ICONWARNING);
}

void LoadMessageText(HWND window, MessageWindowState& state) {
  std::string path;
  if (!ChooseMessageFile(window, false, path)) return;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return;
  std::string bytes(kMessageFile, '\0');
  bytes.resize(std::fread(&bytes[0], 1, bytes.size(), file));
  std::fclose(file);
  const MessageFields fields = ParseMessageFile(bytes);
  state.to = fields.to;
  state.cc = fields.cc;
  state.subject = fields.subject;
  state.body = fields.text;
  state.attachments.clear();
  ::SetDlgItemTextA(window, IDC_TEXT, state.body.c_str());
  ::SetDlgItemTextA(window, IDC_SUBJECT, state.subject.c_str());
  ::SetDlgItemTextA(window, IDC_TO, state.to.c_str());
  ::SetDlgItemTextA(window, IDC_CC, state.cc.c_str());
}

void AddDroppedFiles(HWND window, MessageWindowState& state, HDROP drop) {
  const UINT count = state.sending ? 0 : ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    char path[MAX_PATH];
    if (::DragQueryFileA(drop, i, path, MAX_PATH)) state.AddAttachment(path);
  }
  ::DragFinish(drop);
  UpdateMessageTitle(window, state);
}

void RunModal(HWND window, int help, int dialog, DLGPROC procedure, LPARAM parameter = 0) {
  g_helpContext = help;
  ::DialogBoxParamA(PostlarkModule(), MAKEINTRESOURCEA(dialog), window, procedure, parameter);
  g_helpContext = kHelpMessage;
}

// The commands that open a dialog or a file dialog.
void OnDialogCommand(HWND window, MessageWindowState& state, int id) {
  const bool editing = std::find(std::begin(kEditingCommands), std::end(kEditingCommands), id) != std::end(kEditingCommands);
  if (editing && state.sending) return;
  ModalScope modal(window, state);
  switch (id) {
    case ID_MAIL_OPEN:
      ::EnableWindow(window, FALSE);
      ReadMessageControls(window, state);
      LoadMessageText(window, state);
      UpdateMessageTitle(window, state);
      ::EnableWindow(window, TRUE);
      break;
    case ID_MAIL_SAVE: {
      const MessageFields fields = ControlFields(window);
      ::EnableWindow(window, FALSE);
      SaveMessageText(window, fields);
      ::EnableWindow(window, TRUE);
      break;
    }
    case ID_MAIL_SETTINGS:
    case IDC_SETTINGS_COMMAND: RunModal(window, kHelpSettings, IDD_SETTINGS, SettingsDlgProc); break;
    case ID_MAIL_CONTACTS:
      RunModal(window, kHelpContacts, IDD_CONTACTS, ContactsDlgProc);
      FillContactCombo(Item(window, IDC_TO));
      FillContactCombo(Item(window, IDC_CC));
      break;
    case ID_MAIL_ATTACHMENTS:
      RunModal(window, kHelpAttachments, IDD_ATTACHMENTS, AttachmentsDlgProc, reinterpret_cast<LPARAM>(&state));
      UpdateMessageTitle(window, state);
      break;
  }
}

void OnCommand(HWND window, MessageWindowState& state, WPARAM wParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  const bool isCombo = id == IDC_TO || id == IDC_CC, isEdit = id == IDC_SUBJECT || id == IDC_TEXT;
  if ((isCombo && (code == 3 || code == 6)) || (isEdit && code == EN_SETFOCUS)) {
    g_helpContext = kHelpMessage;
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_MODELESS_OPENED, reinterpret_cast<WPARAM>(window), kHelpMessage);
    return;
  }
  if ((isCombo && (code == 4 || code == 7)) || (isEdit && code == EN_KILLFOCUS)) {
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_MODELESS_CLOSED, reinterpret_cast<WPARAM>(window), 0);
    return;
  }
  switch (id) {
    case IDC_SEND: Send(window, state); break;
    case IDC_STOP: state.stop = 1; break;
    case IDCANCEL: AskToClose(window, state); break;
    default: OnDialogCommand(window, state, id);
  }
}

void OnInitDialog(HWND window, const char* attachments) {
  CenterOnDesktop(window);
  FillContactCombo(Item(window, IDC_TO));
  FillContactCombo(Item(window, IDC_CC));
  auto* state = new MessageWindowState;
  for (const char* entry = attachments; entry && *entry; entry += std::strlen(entry) + 1) state->AddAttachment(entry);
  state->window = window;
  ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  ::SendMessageA(Item(window, IDC_PROGRESS), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  ::SendMessageA(Item(window, IDC_PROGRESS), PBM_SETPOS, 0, 0);
  ::PostMessageA(window, WM_SIZE, 0, 0);
  if (g_mailerSettings.firstUse == 1) {
    ::PostMessageA(window, WM_COMMAND, IDC_SETTINGS_COMMAND, 0);
    g_mailerSettings.firstUse = 0;
    WriteRegDword("FirstUse", 0);
  }
  UpdateMessageTitle(window, *state);
}

// The outcome of a send, once no dialog of the window is up; a window closed meanwhile goes now.
// An error is told while the controls still show the send, and editing resumes after it.
void OnSendOutcome(HWND window, MessageWindowState& state, UINT outcome) {
  if (state.modalDepth > 0) {
    state.deferredOutcome = outcome;
    return;
  }
  if (outcome == WM_MAIL_DONE || state.closeWhenStopped) return FreeStateAndClose(window);
  JoinSendThread(state);
  if (outcome == WM_MAIL_ERROR) ::MessageBoxA(window, state.errorText.c_str(), "Error!", MB_OK | MB_ICONWARNING);
  ShowSendingControls(window, state, false);
}
}  // namespace

INT_PTR CALLBACK MessageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    OnInitDialog(window, reinterpret_cast<const char*>(lParam));
    return TRUE;
  }
  MessageWindowState* state = StateOf(window);
  if (message == WM_MAIL_STATUS) {
    // The text is the window's to delete, also once the window has gone.
    const std::string* text = reinterpret_cast<const std::string*>(lParam);
    if (state) ::SetDlgItemTextA(window, IDC_STATUS, text->c_str());
    delete text;
    return TRUE;
  }
  if (!state) return FALSE;
  switch (message) {
    case WM_MAIL_PROGRESS: ::PostMessageA(Item(window, IDC_PROGRESS), PBM_SETPOS, wParam, 0); return TRUE;
    case WM_MAIL_DONE:
    case WM_MAIL_STOPPED:
    case WM_MAIL_ERROR: OnSendOutcome(window, *state, message); return TRUE;
    case WM_COMMAND: OnCommand(window, *state, wParam); return TRUE;
    case WM_DROPFILES: AddDroppedFiles(window, *state, reinterpret_cast<HDROP>(wParam)); return TRUE;
    case WM_SIZING: KeepMinimumSize(wParam, *reinterpret_cast<RECT*>(lParam)); return TRUE;
    case WM_SIZE: Layout(window, *state); return TRUE;
  }
  return FALSE;
}
