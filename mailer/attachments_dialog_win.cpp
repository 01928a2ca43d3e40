#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "list_view_win.h"
#include "mailer_dialogs_win.h"
#include "message_state.h"
#include "postlark_resource.h"

namespace {
void OpenRowFile(HWND list, int row) {
  char folder[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, folder);
  ::ShellExecuteA(nullptr, "open", ListText(list, row, 0, MAX_PATH).c_str(), nullptr, folder, SW_SHOWDEFAULT);
}

void StoreRows(HWND list, MessageWindowState& state) {
  state.attachments.clear();
  for (int row = 0, count = ListView_GetItemCount(list); row < count; ++row)
    state.AddAttachment(ListText(list, row, 0, MAX_PATH));
}
}  // namespace

INT_PTR CALLBACK AttachmentsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND list = ::GetDlgItem(dialog, IDC_ATTACHMENT_LIST);
  auto* state = reinterpret_cast<MessageWindowState*>(::GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      state = reinterpret_cast<MessageWindowState*>(lParam);
      CenterOnDesktop(dialog);
      RECT client;
      ::GetClientRect(list, &client);
      AddListColumn(list, 0, "File Name", client.right);
      for (const std::string& path : state->attachments) AppendListRow(list, path, 0);
      return TRUE;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == IDC_ATTACHMENT_LIST && header->code == NM_DBLCLK) {
        const int row = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
        if (row >= 0) OpenRowFile(list, row);
      }
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_DELETE: DeleteMarkedRow(list); return TRUE;
        case IDOK:
          StoreRows(list, *state);
          ::EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL: ::EndDialog(dialog, IDCANCEL); return TRUE;
      }
  }
  return FALSE;
}
