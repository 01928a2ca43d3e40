#include "twain_dest_dlg.h"

#include <commctrl.h>

#include <string>

#include "number_text.h"
#include "resource.h"
#include "twain_file_name.h"

CTwainDestDlg::CTwainDestDlg() : Dialog(IDD_TWAIN_DEST), destination_(g_settings.twainDest) {}

bool CTwainDestDlg::OnInitDialog() {
  prefixEdit_.Subclass(Item(IDC_TWAIN_PREFIX));
  const bool result = Dialog::OnInitDialog();
  ::SendMessageA(Item(IDC_TWAIN_INDEX), EM_LIMITTEXT, std::to_string(kTwainIndexMaximum).size(), 0);
  EnableFileControls(destination_.mode != 0);
  return result;
}

void CTwainDestDlg::DoDataExchange(DataExchange& exchange) {
  exchange.Radio(IDC_TWAIN_OPEN, destination_.mode);
  exchange.Text(IDC_TWAIN_PREFIX, destination_.filename, MAX_PATH - 20);
  exchange.Int(IDC_TWAIN_INDEX, destination_.index, 0, kTwainIndexMaximum);
  exchange.Radio(IDC_TWAIN_JPG, destination_.format);
}

void CTwainDestDlg::EnableFileControls(bool enable) {
  for (int id : {IDC_TWAIN_JPG, IDC_TWAIN_GIF, IDC_TWAIN_BMP, IDC_TWAIN_PNG, IDC_TWAIN_PREFIX, IDC_TWAIN_INDEX,
                 IDC_TWAIN_SPIN})
    ::EnableWindow(Item(id), enable);
}

bool CTwainDestDlg::OnCommand(int id, int code) {
  if (id == IDC_TWAIN_OPEN || id == IDC_TWAIN_SAVE) {
    EnableFileControls(id == IDC_TWAIN_SAVE);
    return false;
  }
  if (id == IDC_TWAIN_INDEX && code == EN_CHANGE && !writingIndex_) {
    int typed = 0;
    destination_.index = ParseDecimalInt(ItemText(IDC_TWAIN_INDEX), typed) ? BoundedTwainIndex(typed) : 0;
    return true;
  }
  return Dialog::OnCommand(id, code);
}

bool CTwainDestDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  if (message != WM_NOTIFY) return false;
  const auto* change = reinterpret_cast<const NMUPDOWN*>(lParam);
  if (change->hdr.idFrom != IDC_TWAIN_SPIN || change->hdr.code != UDN_DELTAPOS) return false;
  destination_.index = BoundedTwainIndex(static_cast<long long>(destination_.index) - change->iDelta);
  writingIndex_ = true;
  SetItemText(IDC_TWAIN_INDEX, std::to_string(destination_.index));
  writingIndex_ = false;
  result = 0;
  return true;
}

void CTwainDestDlg::OnOK() {
  if (!UpdateData(true)) return;
  if (destination_.mode > 0) destination_.mode = 1;
  g_settings.twainDest = destination_;
  EndDialog(IDOK);
}
