#include "go_to_path_dlg.h"

#include "resource.h"

CGoToPathDlg::CGoToPathDlg(std::string initialPath) : Dialog(IDD_GO_TO_PATH), path(std::move(initialPath)) {}

bool CGoToPathDlg::OnInitDialog() {
  edit_.Subclass(Item(IDC_GO_TO_PATH));
  Dialog::OnInitDialog();
  const HWND edit = Item(IDC_GO_TO_PATH);
  ::SetFocus(edit);
  const std::string shown = ItemText(IDC_GO_TO_PATH);
  const size_t slash = shown.find_last_of('\\');
  const size_t start = slash == std::string::npos ? 0 : slash + 1;
  ::SendMessageA(edit, EM_SETSEL, WPARAM(start), LPARAM(shown.size()));
  ::SendMessageA(edit, EM_SCROLLCARET, 0, 0);
  return false;
}

void CGoToPathDlg::DoDataExchange(DataExchange& exchange) { exchange.Text(IDC_GO_TO_PATH, path, 200); }
