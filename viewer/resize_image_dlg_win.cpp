#include "resize_image_dlg.h"

#include "number_text.h"
#include "picture_limits.h"
#include "picture_size_rules.h"
#include "resource.h"

namespace {

// Room for the library's largest side (30000).
constexpr int kSizeDigits = 5;

int TextNumber(const std::string& text) {
  int value = 0;
  return ParseDecimalInt(text, value) ? value : 0;
}

}  // namespace

CResizeImageDlg::CResizeImageDlg() : Dialog(IDD_RESIZE_IMAGE) {}

bool CResizeImageDlg::OnInitDialog() {
  updating_ = true;
  const bool focusSet = Dialog::OnInitDialog();
  updating_ = false;
  return focusSet;
}

void CResizeImageDlg::DoDataExchange(DataExchange& exchange) {
  if (!exchange.Saving()) {
    widthText_ = std::to_string(width);
    heightText_ = std::to_string(height);
    startWidth_ = width;
    startHeight_ = height;
  }
  exchange.Text(IDC_SIZE_WIDTH, widthText_, kSizeDigits);
  exchange.Text(IDC_SIZE_HEIGHT, heightText_, kSizeDigits);
  if (!exchange.Saving() || exchange.Failed()) return;
  // A side of 0, an emptied one or one past the largest is refused, never made 1 or cut short.
  int typedWidth = 0, typedHeight = 0;
  exchange.Int(IDC_SIZE_WIDTH, typedWidth, 1, ravelight::kMaxPictureSide);
  exchange.Int(IDC_SIZE_HEIGHT, typedHeight, 1, ravelight::kMaxPictureSide);
  if (exchange.Failed()) return;
  const PictureSize size = WithinPictureLimits(typedWidth, typedHeight);
  if (size.width != typedWidth || size.height != typedHeight) {
    ShowSize(size);
    exchange.Refuse(IDC_SIZE_WIDTH, PixelCapMessage(size));
    return;
  }
  width = size.width;
  height = size.height;
}

void CResizeImageDlg::ShowSize(const PictureSize& size) {
  updating_ = true;
  SetItemText(IDC_SIZE_WIDTH, std::to_string(size.width));
  SetItemText(IDC_SIZE_HEIGHT, std::to_string(size.height));
  updating_ = false;
}

bool CResizeImageDlg::OnCommand(int id, int code) {
  switch (id) {
    case IDOK:  // Enter
      return true;
    case IDC_RESIZE_OK:
      OnOK();
      return true;
    case IDC_SIZE_WIDTH:
    case IDC_SIZE_HEIGHT:
      if (code == EN_CHANGE && !updating_) FollowTypedSide(id);
      return true;
    default:
      return Dialog::OnCommand(id, code);
  }
}

void CResizeImageDlg::FollowTypedSide(int typedId) {
  const int typed = TextNumber(ItemText(typedId));
  const bool heightTyped = typedId == IDC_SIZE_HEIGHT;
  const int other = heightTyped ? ProportionalSide(typed, startHeight_, startWidth_)
                                : ProportionalSide(typed, startWidth_, startHeight_);
  updating_ = true;
  SetItemText(heightTyped ? IDC_SIZE_WIDTH : IDC_SIZE_HEIGHT, std::to_string(other));
  updating_ = false;
}
