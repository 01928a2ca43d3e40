#include "canvas_size_dlg.h"

#include "picture_size_rules.h"
#include "resource.h"

namespace {

constexpr int kMinimumSide = 10;
constexpr int kMaximumSide = 20000;

}  // namespace

CCanvasSizeDlg::CCanvasSizeDlg() : Dialog(IDD_CANVAS_SIZE) {}

void CCanvasSizeDlg::DoDataExchange(DataExchange& exchange) {
  exchange.Int(IDC_SIZE_WIDTH, width, kMinimumSide, kMaximumSide);
  exchange.Int(IDC_SIZE_HEIGHT, height, kMinimumSide, kMaximumSide);
  if (!exchange.Saving() || exchange.Failed()) return;
  // Two sides of 20000 are more pixels than a picture may have.
  const PictureSize size = WithinPictureLimits(width, height);
  width = size.width;
  height = size.height;
}
