#include "dialog.h"

#include <vector>

#include "app.h"
#include "unexpected_failure.h"

const char* MessageCaption() {
  const App* app = App::Instance();
  return app && !app->Title().empty() ? app->Title().c_str() : nullptr;
}

Dialog::Dialog(int templateId, HINSTANCE resources)
    : templateId_(templateId), resources_(resources ? resources : ::GetModuleHandleA(nullptr)) {}

INT_PTR Dialog::DoModal(HWND parent) {
  modal_ = true;
  return ::DialogBoxParamA(resources_, MAKEINTRESOURCEA(templateId_), parent, StaticDialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateModeless(HWND parent) {
  modal_ = false;
  return ::CreateDialogParamA(resources_, MAKEINTRESOURCEA(templateId_), parent, StaticDialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::EndDialog(INT_PTR result) {
  if (modal_)
    ::EndDialog(Handle(), result);
  else
    Destroy();
}

bool Dialog::UpdateData(bool saving) {
  DataExchange exchange(Handle(), saving);
  DoDataExchange(exchange);
  if (!exchange.Failed()) return true;
  ::MessageBoxA(Handle(), exchange.FailureMessage().c_str(), MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
  HWND control = Item(exchange.FailedControl());
  ::SetFocus(control);
  ::SendMessageA(control, EM_SETSEL, 0, -1);
  return false;
}

std::string Dialog::ItemText(int id) const {
  HWND item = Item(id);
  std::vector<char> text(size_t(::GetWindowTextLengthA(item)) + 2, '\0');
  ::GetWindowTextA(item, text.data(), int(text.size()));
  return std::string(text.data());
}

void Dialog::SetItemText(int id, const std::string& text) { ::SetDlgItemTextA(Handle(), id, text.c_str()); }

bool Dialog::PreTranslateMessage(MSG& message) {
  // A modeless dialog gets its keyboard navigation here; a modal one runs its own loop.
  return !modal_ && Handle() && ::IsDialogMessageA(Handle(), &message);
}

bool Dialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

bool Dialog::OnCommand(int id, int) {
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

void Dialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

// Templates carry no position of their own: a dialog opens over the middle of the window that owns it
// (or of the screen), and never partly off the screen.
void Dialog::CenterOverOwner() {
  if (::GetWindowLongA(Handle(), GWL_STYLE) & WS_CHILD) return;
  RECT own = {}, work = {};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  HWND owner = ::GetWindow(Handle(), GW_OWNER);
  if (!owner || !::IsWindowVisible(owner) || ::IsIconic(owner) || !::GetWindowRect(owner, &own)) own = work;
  RECT mine = {};
  ::GetWindowRect(Handle(), &mine);
  const int width = mine.right - mine.left, height = mine.bottom - mine.top;
  int x = (own.left + own.right - width) / 2, y = (own.top + own.bottom - height) / 2;
  if (x + width > work.right) x = work.right - width;
  if (y + height > work.bottom) y = work.bottom - height;
  if (x < work.left) x = work.left;
  if (y < work.top) y = work.top;
  ::SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK Dialog::StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self = static_cast<Dialog*>(FromHandle(hwnd));
  if (!self && message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    self->Attach(hwnd);
  }
  if (!self) return FALSE;
  INT_PTR handled = FALSE;
  try {
    handled = self->DialogProc(message, wParam, lParam);
  } catch (...) {
    ReportUnexpectedFailure(std::current_exception());
    handled = FALSE;  // the dialog manager's own handling keeps the dialog sound
  }
  if (message == WM_NCDESTROY) {
    self->DetachOnFinalMessage();
    self->OnFinalMessage();
  }
  return handled;
}

INT_PTR Dialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (Reflect(message, wParam, lParam, result)) {
    ::SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, result);
    return TRUE;
  }
  switch (message) {
    case WM_INITDIALOG:
      CenterOverOwner();
      return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    default:
      break;
  }
  if (!OnMessage(message, wParam, lParam, result)) return FALSE;
  ::SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, result);
  return TRUE;
}
