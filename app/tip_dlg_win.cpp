#include "tip_dlg.h"

#include "resource.h"

CTipDlg::CTipDlg(const char* tip) : Dialog(IDD_TIP), tip_(tip) {}

bool CTipDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  if (tip_) SetItemText(IDC_TIPSTRING, tip_);
  return true;
}

void CTipDlg::DoDataExchange(DataExchange& exchange) { exchange.Check(IDC_STARTUP, dontShow); }
