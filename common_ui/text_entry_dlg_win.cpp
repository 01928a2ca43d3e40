#include "text_entry_dlg.h"

#include "resource.h"

CTextEntryDlg::CTextEntryDlg(std::string caption, std::string initialText)
    : Dialog(IDD_TEXT_ENTRY), text(std::move(initialText)), caption_(std::move(caption)) {}

bool CTextEntryDlg::OnInitDialog() {
  SetText(caption_);
  Dialog::OnInitDialog();
  ::SetFocus(Item(IDC_TEXT_ENTRY));
  return false;
}

void CTextEntryDlg::DoDataExchange(DataExchange& exchange) { exchange.Text(IDC_TEXT_ENTRY, text, 256); }

bool CTextEntryDlg::OnCommand(int id, int code) {
  if (id == IDC_TEXT_ENTRY_OK) {
    OnOK();
    return true;
  }
  return Dialog::OnCommand(id, code);
}
