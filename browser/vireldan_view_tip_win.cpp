// The thumbnail view's hover tip: when the pointer rests on a thumbnail, a tip tells the file's
// path, date and size, its camera information and its annotation, as the settings ask.
#include "app_settings.h"
#include "hover_tip_hooks.h"
#include "hover_tip_text.h"
#include "vireldan_view.h"

namespace {

constexpr UINT kTipDelay = 600;
constexpr UINT kSlowTipDelay = 3000;

HoverTipOptions TipOptionsFromSettings() {
  const auto& thumbnails = g_settings.thumbnails;
  HoverTipOptions options;
  options.fileInfo = thumbnails.fileinfo != 0;
  options.annotations = thumbnails.annotations != 0;
  options.exifTips = thumbnails.exif_tipsenable != 0;
  options.exifLines = unsigned(thumbnails.exif_tipoptions);
  return options;
}

}  // namespace

void CVireldanView::CancelTip() {
  if (tip_) ::DestroyWindow(tip_);
  tip_ = nullptr;
  tipText_.clear();
  hovered_ = nullptr;
  hoverPoint_ = POINT{-1, -1};
  if (Handle()) ::KillTimer(Handle(), kHoverTimer);
  ClearTipKeyMarks();
}

void CVireldanView::ArmHoverTip(CThumbItem* hovered, POINT point) {
  hovered_ = hovered;
  hoverPoint_ = point;
  ::KillTimer(Handle(), kHoverTimer);
  if (hovered && !dragging_ && !bandActive_)
    ::SetTimer(Handle(), kHoverTimer, g_settings.preferences.slowtips ? kSlowTipDelay : kTipDelay, nullptr);
}

void CVireldanView::OnHoverTimer() {
  ::KillTimer(Handle(), kHoverTimer);
  if (tip_ || !hovered_) return;
  POINT pointer = {};
  ::GetCursorPos(&pointer);
  ::ScreenToClient(Handle(), &pointer);
  if (pointer.x != hoverPoint_.x || pointer.y != hoverPoint_.y) return;
  const HoverTipOptions options = TipOptionsFromSettings();
  const std::string path = hovered_->folder + hovered_->name;
  MarkTipFileKeys(path);
  const std::string annotation = options.annotations ? TipAnnotation(path) : std::string();
  tipText_ = HoverTipText(*hovered_, options, annotation);
  if (!tipText_.empty()) tip_ = ShowTipWindow(Handle(), hoverPoint_, tipText_);
}
