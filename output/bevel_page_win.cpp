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
  const auto& effects = g_settings.effects;
  mode_ = BoundMode();
  thickness_ = effects.thickness;
  rounding_ = effects.rounding;
  density_ = effects.density;
  SetTrackbarRange(Handle(), IDC_BEVEL_WIDTH, 1, 50);
  SetTrackbarRange(Handle(), IDC_BEVEL_ROUNDING, 1, 50);
  SetTrackbarRange(Handle(), IDC_BEVEL_INTENSITY, 10, 50);
  return PropertyPage::OnInitDialog();
}

void CPPX_Bevel::DoDataExchange(DataExchange& exchange) {
  // A stored mode outside the four checks no button; reading the page back then keeps it.
  int mode = mode_;
  exchange.Radio(IDC_BEVEL_LIGHT, mode);
  if (mode >= 0) mode_ = mode;
  exchange.Slider(IDC_BEVEL_WIDTH, thickness_);
  exchange.Slider(IDC_BEVEL_ROUNDING, rounding_);
  exchange.Slider(IDC_BEVEL_INTENSITY, density_);
}

// The trackbars hold their values inside their ranges, so what is stored is always in range too.
bool CPPX_Bevel::OnApply() {
  if (!UpdateData(true)) return false;
  auto& effects = g_settings.effects;
  BoundMode() = mode_;
  effects.thickness = thickness_;
  effects.rounding = rounding_;
  effects.density = density_;
  return true;
}
