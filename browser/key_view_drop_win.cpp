// Files dragged over the Key view: the key under the mouse is highlighted, opens when the mouse
// rests on it, the tree scrolls near its edges, and a drop keys the files with it (Ctrl: unkeys).
#include <memory>

#include "app_settings.h"
#include "drag_threshold.h"
#include "key_index.h"
#include "key_view.h"
#include "key_view_support.h"
#include "progress_window.h"
#include "wait_cursor.h"

namespace {

constexpr int kScrollZoneTop = 20;
constexpr int kScrollZoneBottom = 30;
constexpr UINT kScrollMilliseconds = 200;
constexpr UINT kQuickHoverMilliseconds = 900;
constexpr UINT kSlowHoverMilliseconds = 3500;

// How a drop shows that it is working: the progress window for many names, else the hourglass.
class DropFeedback {
 public:
  DropFeedback(HWND owner, int count, bool removing) : count_(count) {
    if (count < CKeyView::kProgressDropCount) {
      wait_ = std::make_unique<WaitCursor>();
      return;
    }
    progress_ = std::make_unique<CProgressWnd>(owner, false);
    progress_->SetPos(0, count);
    progress_->SetLines(removing ? "UnKeying..." : "Keying...", "");
  }
  ~DropFeedback() {
    if (progress_) progress_->Close();
  }
  DropFeedback(const DropFeedback&) = delete;
  DropFeedback& operator=(const DropFeedback&) = delete;

  void Reached(int position, const char* name) {
    if (!progress_) return;
    progress_->SetPos(position, count_);
    progress_->SetLine2(name);
  }

 private:
  const int count_;
  std::unique_ptr<WaitCursor> wait_;
  std::unique_ptr<CProgressWnd> progress_;
};

}  // namespace

DWORD CKeyView::OnDragEnter(IDataObject*, DWORD, POINT) { return DROPEFFECT_NONE; }

DWORD CKeyView::OnDragOver(DWORD keys, POINT point) {
  if (!WithinDragThreshold(point, hoverPoint_)) {
    ::SetTimer(Handle(), kHoverTimer, g_settings.preferences.slowkeys ? kQuickHoverMilliseconds : kSlowHoverMilliseconds,
               nullptr);
    hoverPoint_ = point;
  }
  RECT client = {};
  ::GetClientRect(tree_.Handle(), &client);
  const bool scrolling = scrollUp_ || scrollDown_;
  scrollUp_ = point.y < kScrollZoneTop;
  scrollDown_ = !scrollUp_ && point.y > client.bottom - kScrollZoneBottom;
  // Started as the mouse comes to an edge, not at every call: the drag loop may call here more
  // often than the timer ticks, and each new start would put the tick off again.
  if ((scrollUp_ || scrollDown_) && !scrolling) ::SetTimer(Handle(), kScrollTimer, kScrollMilliseconds, nullptr);
  tree_.SelectDropTarget(tree_.ItemOnPoint(point));
  return (keys & MK_CONTROL) ? DROPEFFECT_LINK : DROPEFFECT_COPY;
}

void CKeyView::OnDragLeave() {
  scrollUp_ = scrollDown_ = false;
  tree_.SelectDropTarget(nullptr);
}

DWORD CKeyView::OnDrop(IDataObject*, DWORD keys, POINT point) {
  scrollUp_ = scrollDown_ = false;
  const bool removing = (keys & MK_CONTROL) != 0;
  const HTREEITEM item = tree_.ItemOnPoint(point);
  if (!item || item == root_ || dropTarget_.NameCount() == 0) {
    tree_.SelectDropTarget(nullptr);
    return DROPEFFECT_NONE;
  }
  KeyDroppedFiles(item, removing);
  return removing ? DROPEFFECT_LINK : DROPEFFECT_COPY;
}

void CKeyView::KeyDroppedFiles(HTREEITEM item, bool removing) {
  DropFeedback feedback(MainWindow(), dropTarget_.NameCount(), removing);
  {
    DisabledWindow disabled(MainWindow());
    g_bCancel = 0;
    index_.ClearWriteError();
    int position = 0;
    while (const char* name = dropTarget_.GetNextFile()) {
      feedback.Reached(++position, name);
      index_.SetFileKey(item, name, !removing);
      if (g_bCancel) break;
    }
  }
  index_.SaveFolder();
  if (index_.WriteErrorOccurred()) Message(kKeyIndexWriteErrorMessage, MB_OK | MB_ICONEXCLAMATION);
  tree_.SelectDropTarget(nullptr);
}
