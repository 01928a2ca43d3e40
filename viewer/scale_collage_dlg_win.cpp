#include "scale_collage_dlg.h"

#include "resource.h"

namespace {

constexpr int kFactorLength = 8;

}  // namespace

CScaleCollageDlg::CScaleCollageDlg() : Dialog(IDD_SCALE_COLLAGE) {}

void CScaleCollageDlg::DoDataExchange(DataExchange& exchange) {
  exchange.Text(IDC_SCALE_FACTOR, factor, kFactorLength);
}
