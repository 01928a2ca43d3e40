#include "canvas_size_dlg.h"

#include "picture_size_rules.h"
#include "resource.h"

namespace {

constexpr int kMinimumSide = 10;
constexpr int kMaximumSide = 20000;

}  // namespace

CCanvasSizeDlg::CCanvasSizeDlg() : Dialog(IDD_CANVAS_SIZE) {}

void CCanvasSizeDlg::DoDataExchange(DataExchange& exchange) {
  int typedWidth = width, typedHeight = height;
  exchange.Int(IDC_SIZE_WIDTH, typedWidth, kMinimumSide, kMaximumSide);
  exchange.Int(IDC_SIZE_HEIGHT, typedHeight, kMinimumSide, kMaximumSide);
  if (!exchange.Saving() || exchange.Failed()) return;
  // Two sides of 20000 are more pixels than a picture may have: the user is told and shown the
  // size that fits, never given it silently.
  const PictureSize size = WithinPictureLimits(typedWidth, typedHeight);
  if (size.width != typedWidth || size.height != typedHeight) {
    SetItemText(IDC_SIZE_WIDTH, std::to_string(size.width));
    SetItemText(IDC_SIZE_HEIGHT, std::to_string(size.height));
    exchange.Refuse(IDC_SIZE_WIDTH, PixelCapMessage(size));
    return;
  }
  width = size.width;
  height = size.height;
}
