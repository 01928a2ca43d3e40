// The thumbnail view's side of thumbnail loading: one request at a time to the loader thread,
// visible cells first; taking over each result; and the cache commands of the main menu.
#include <new>

#include "Cimage.h"
#include "app_settings.h"
#include "command_ids.h"
#include "app.h"
#include "pending_features.h"
#include "program_state.h"
#include "thumb_loader.h"
#include "thumb_schedule.h"
#include "tnc_purge.h"
#include "vireldan_view.h"

namespace {

constexpr UINT_PTR kRepaintTimer = 1;
constexpr UINT kRepaintDelay = 200;

}  // namespace

void CVireldanView::LoadNextThumbnail() {
  if (stopping_ || !loader_) return;
  MeasureClient();
  ScheduleWindow window;
  window.firstVisible = scroll_.firstVisible;
  window.pageCount = grid_.pageCount;
  window.preload = g_settings.thumbnails.preload != 0;
  const bool showHidden = g_settings.thumbnails.showhidden != 0;
  const int before = items_.GetCount();
  CThumbItem* item = NextThumbnailToLoad(
      items_, window, [&](CThumbItem& examined) { return StatThumbItem(examined, showHidden); },
      [&](CThumbItem* removed) { ForgetItem(removed); });
  if (items_.GetCount() != before) UpdateScrollAndStatus();
  if (item && loader_->RequestThumbnail(*item, layout_.edge)) loadingSelected_ = item->selected != 0;
}

void CVireldanView::OnThumbnailReady() {
  if (!loader_) return;
  const int id = loader_->GetResultId();
  // The picture is copied before the loader may go on.
  std::unique_ptr<Cimage> copy(new (std::nothrow) Cimage);
  if (copy) *copy = loader_->Image();
  loader_->ClearPending();
  loadingSelected_ = false;

  CThumbItem* item = nullptr;
  int position = 0;
  if (id != 0) {
    int at = 1;
    for (CThumbItem* walk = items_.GetFirst(); walk && !item; walk = items_.GetNext(), ++at)
      if (walk->id == id) {
        item = walk;
        position = at;
      }
  }
  if (item && copy) {
    item->FreeThumbnail();
    if (copy->m_loadError && copy->m_unknownExt) {
      // Not a picture of any kind: it leaves the grid.
      RemoveItem(item);
      UpdateScrollAndStatus();
      Redraw();
    } else {
      item->thumbnail = copy.release();
      MeasureClient();
      if (IsVisiblePosition(position, scroll_.firstVisible, grid_) && !repaintPending_) {
        ::SetTimer(Handle(), kRepaintTimer, kRepaintDelay, nullptr);
        repaintPending_ = true;
      }
    }
  }
  LoadNextThumbnail();
}

void CVireldanView::WaitForLoaderIdle() {
  if (loadingSelected_ && loader_) loader_->WaitIdle();
}

void CVireldanView::StopLoader() {
  stopping_ = true;
  if (!loader_) return;
  loader_->Stop();
  loader_ = nullptr;
}

void CVireldanView::PurgeCache() {
  std::string folder = folder_;
  if (folder.size() > 1 && folder.back() == '\\') folder.pop_back();
  if (folder.empty()) return;
  PurgeSubfolderCaches(folder, TncOptionsFrom(g_settings, g_program.desktopFolder), [this] {
    return ::MessageBoxA(Handle(), "The current directory contains directories\nDo you want to purge them also?",
                         MessageCaption(), MB_YESNO | MB_ICONQUESTION) == IDYES;
  });
  if (!loader_) return;
  loader_->DeleteCache(folder);
  // Asking again for the first thumbnail starts a new cache file.
  if (CThumbItem* first = items_.GetFirst()) loader_->RequestThumbnail(*first, layout_.edge);
}

void CVireldanView::ShowCacheInfo() {
  if (loader_) ShowCacheInfoDialog(Handle(), loader_->CacheInfo());
}

bool CVireldanView::OnCacheLock() { return loader_ && loader_->ToggleLock(); }

void CVireldanView::NoteCacheChange(int n) {
  if (loader_) loader_->NoteStale(n);
}

void CVireldanView::OnCacheCommand(UINT id) {
  switch (id) {
    case ID_CACHE_PURGE: PurgeCache(); break;
    case ID_CACHE_INFO: ShowCacheInfo(); break;
    case ID_CACHE_SQUEEZE: NoteCacheChange(-1); break;
    case ID_CACHE_LOCK: OnCacheLock(); break;
    default: break;
  }
}

void CVireldanView::OnUpdateCacheLock(CommandState& state) { state.checked = loader_ && loader_->IsLocked(); }
