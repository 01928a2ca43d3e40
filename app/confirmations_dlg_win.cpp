#include "confirmations_dlg.h"

#include "resource.h"

CConfirmationsDlg::CConfirmationsDlg()
    : Dialog(IDD_CONFIRMATIONS), confirmations_(g_settings.confirmations), deleteKey_(g_settings.mainOptions.delkey) {}

void CConfirmationsDlg::DoDataExchange(DataExchange& exchange) {
  exchange.Check(IDC_CONFIRM_SINGLE, confirmations_.single);
  exchange.Check(IDC_CONFIRM_MULTI, confirmations_.multi);
  exchange.Check(IDC_CONFIRM_NONNEST, confirmations_.nonnest);
  exchange.Check(IDC_CONFIRM_NESTED, confirmations_.nested);
  exchange.Check(IDC_CONFIRM_KEYDEL, confirmations_.keydel);
  exchange.Int(IDC_CONFIRM_ALLSIZE, confirmations_.allsize, 0, 9999);
  exchange.Check(IDC_DELETE_KEY_ON, deleteKey_);
}

void CConfirmationsDlg::OnOK() {
  if (!UpdateData(true)) return;
  g_settings.confirmations = confirmations_;
  g_settings.mainOptions.delkey = deleteKey_;
  EndDialog(IDOK);
}
