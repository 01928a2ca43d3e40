// The thumbnail view's side of thumbnail loading: one request at a time to the loader thread, of
// several files, visible cells first; taking over the results; and the cache commands of the
// main menu.
#include <new>

#include "Cimage.h"
#include "app_settings.h"
#include "cache_info_dlg.h"
#include "command_ids.h"
#include "app.h"
#include "program_state.h"
#include "thumb_loader.h"
#include "thumb_schedule.h"
#include "tnc_purge.h"
#include "vireldan_view.h"

namespace {

constexpr UINT_PTR kRepaintTimer = 1;
constexpr UINT kRepaintDelay = 200;
// Files asked for at once: a screenful of a warm folder comes from the cache in one request.
constexpr size_t kFilesPerRequest = 64;

}  // namespace

void CVireldanView::LoadNextThumbnail() {
  if (stopping_ || !loader_ || loader_->IsPending()) return;
  MeasureClient();
  ScheduleWindow window;
  window.firstVisible = scroll_.firstVisible;
  window.pageCount = grid_.pageCount;
  window.preload = g_settings.thumbnails.preload != 0;
  const bool showHidden = g_settings.thumbnails.showhidden != 0;
  const int before = items_.GetCount();
  std::vector<CThumbItem*> next = NextThumbnailsToLoad(
      items_, window, scheduleCursor_, kFilesPerRequest,
      [&](CThumbItem& examined) { return StatThumbItem(examined, showHidden); },
      [&](CThumbItem* removed) { ForgetItem(removed); });
  if (items_.GetCount() != before) UpdateScrollAndStatus();
  if (!next.empty() && loader_->RequestThumbnails(next, layout_.edge)) {
    requested_ = std::move(next);
    NoteSelectedRequested();
  }
}

bool CVireldanView::Request(CThumbItem& item) {
  if (!loader_->RequestThumbnail(item, layout_.edge)) return false;
  requested_.assign(1, &item);
  NoteSelectedRequested();
  return true;
}

void CVireldanView::NoteSelectedRequested() {
  loadingSelected_ = false;
  for (const CThumbItem* item : requested_) loadingSelected_ |= item && item->selected;
}

// Results come in the order asked; the files before the one answered are done with.
CThumbItem* CVireldanView::TakeRequested(int id) {
  if (id == 0) return nullptr;
  for (auto at = requested_.begin(); at != requested_.end(); ++at) {
    if (!*at || (*at)->id != id) continue;
    CThumbItem* const item = *at;
    requested_.erase(requested_.begin(), at + 1);
    return item;
  }
  return nullptr;
}

// Takes every result that is there.
void CVireldanView::OnThumbnailReady() {
  if (!loader_) return;
  bool visibleArrived = false;
  while (loader_->HasResult()) {
    const int id = loader_->GetResultId();
    std::unique_ptr<Cimage> image = loader_->TakeImage();
    loader_->ClearPending();
    // The item asked for, unless it has left the list meanwhile (then nothing is kept).
    CThumbItem* const item = TakeRequested(id);
    if (!item || !image) continue;
    item->FreeThumbnail();
    if (image->m_loadError && image->m_unknownExt) {
      // Not a picture of any kind: it leaves the grid.
      RemoveItem(item);
      UpdateScrollAndStatus();
      Redraw();
    } else {
      item->thumbnail = image.release();
      MeasureClient();
      visibleArrived |= IsItemVisible(item);
    }
  }
  NoteSelectedRequested();
  // The loader goes on with the next thumbnails while these are painted.
  LoadNextThumbnail();
  if (visibleArrived) RepaintArrivals();
}

// Arrivals in the visible cells are painted in batches: the whole screen at once when its last
// thumbnail is there, and meanwhile at most once every kRepaintDelay.
void CVireldanView::RepaintArrivals() {
  if (VisibleCellsLoaded()) {
    if (repaintPending_) ::KillTimer(Handle(), kRepaintTimer);
    repaintPending_ = false;
    Redraw();
    ::UpdateWindow(Handle());
  } else if (!repaintPending_) {
    ::SetTimer(Handle(), kRepaintTimer, kRepaintDelay, nullptr);
    repaintPending_ = true;
  }
}

// Walks no further than the last visible cell.
bool CVireldanView::IsItemVisible(const CThumbItem* item) {
  int position = 0;
  for (const CThumbItem* walk = items_.GetFirst(); walk; walk = items_.GetNext())
    if (!IsVisiblePosition(++position, scroll_.firstVisible, grid_) && position >= scroll_.firstVisible)
      return false;
    else if (walk == item)
      return position >= scroll_.firstVisible;
  return false;
}

bool CVireldanView::VisibleCellsLoaded() {
  int position = 0;
  for (CThumbItem* item = items_.GetFirst(); item; item = items_.GetNext()) {
    if (!IsVisiblePosition(++position, scroll_.firstVisible, grid_)) {
      if (position >= scroll_.firstVisible) break;
    } else if (!item->thumbnail) {
      return false;
    }
  }
  return true;
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
  if (CThumbItem* first = items_.GetFirst()) Request(*first);
}

void CVireldanView::ShowCacheInfo() {
  if (!loader_) return;
  CCacheInfoDlg info(loader_->CacheInfo());
  info.DoModal(Handle());
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
