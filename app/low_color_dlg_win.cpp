#include "low_color_dlg.h"

#include "app_settings.h"
#include "resource.h"

CLowColorDlg::CLowColorDlg() : Dialog(IDD_LOWCOLOR) {}

bool CLowColorDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  ::MessageBeep(MB_ICONQUESTION);
  return true;
}

void CLowColorDlg::DoDataExchange(DataExchange& exchange) {
  exchange.Check(IDC_DONTWARN, g_settings.mainOptions.dontwarn256);
}
