#include "bevel_page.h"

#include "app_settings.h"
#include "resource.h"

namespace {

void SetTrackbarRange(HWND page, int id, int minimum, int maximum) {
  ::SendDlgItemMessageA(page, id, TBM_SETRANGEMIN, FALSE, minimum);
  ::SendDlgItemMessageA(page, id, TBM_SETRANGEMAX, FALSE, maximum);
}

}  // namespace

CPPX_Bevel::CPPX_Bevel(int batch) : PropertyPage(IDD_BEVEL), batch_(batch) {}

int& CPPX_Bevel::BoundMode() const { return batch_ ? g_settings.effects.batchmode : g_settings.effects.mode; }

bool CPPX_Bevel::OnInitDialog() {
  SetTrackbarRange(Handle(), IDC_BEVEL_WIDTH, 1, 50);
  SetTrackbarRange(Handle(), IDC_BEVEL_ROUNDING, 1, 50);
  SetTrackbarRange(Handle(), IDC_BEVEL_INTENSITY, 10, 50);
  return PropertyPage::OnInitDialog();
}

// The trackbars hold their values inside their ranges, so what is stored is always in range too.
void CPPX_Bevel::DoDataExchange(DataExchange& exchange) {
  // A stored mode outside the four checks no button; reading the page back then keeps it.
  int mode = BoundMode();
  exchange.Radio(IDC_BEVEL_LIGHT, mode);
  if (mode >= 0) BoundMode() = mode;
  auto& effects = g_settings.effects;
  exchange.Slider(IDC_BEVEL_WIDTH, effects.thickness);
  exchange.Slider(IDC_BEVEL_ROUNDING, effects.rounding);
  exchange.Slider(IDC_BEVEL_INTENSITY, effects.density);
}

bool CPPX_Bevel::OnApply() { return UpdateData(true); }
