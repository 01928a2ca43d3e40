// What the thumbnail view shows and how it stays current: listing a folder (or a folder tree, or
// search results, or the items that carry a key), refreshing it when the folder changes, and the
// queue of files to open.
#include <algorithm>
#include <memory>
#include <unordered_set>

#include "app.h"
#include "app_settings.h"
#include "frame_link.h"
#include "image_window_entry_points.h"
#include "name_node.h"
#include "program_state.h"
#include "shell_open.h"
#include "slide_order_file.h"
#include "thumb_loader.h"
#include "vireldan_view.h"
#include "wait_cursor.h"

namespace {

constexpr int kNoSort = 5;

bool EscapeHeld() { return ::GetAsyncKeyState(VK_ESCAPE) < 0; }

}  // namespace

ListingOptions CVireldanView::CurrentListingOptions() const {
  const auto& files = g_settings.fileOptions;
  ListingOptions options;
  options.jpg = files.showjpg != 0;
  options.gif = files.showgif != 0;
  options.bmp = files.showbmp != 0;
  options.tif = files.showtif != 0;
  options.png = files.showpng != 0;
  options.psd = files.showpsd != 0;
  options.pcx = files.showpcx != 0;
  options.lnk = files.showlnk != 0;
  options.showHidden = g_settings.thumbnails.showhidden != 0;
  return options;
}

void CVireldanView::ForgetItem(const CThumbItem* item) {
  if (anchor_ == item) anchor_ = nullptr;
  for (CThumbItem*& asked : requested_)
    if (asked == item) asked = nullptr;
  if (lastHovered_ == item) lastHovered_ = nullptr;
  if (hovered_ == item) hovered_ = nullptr;
}

void CVireldanView::RemoveItem(CThumbItem* item) {
  ForgetItem(item);
  items_.Remove(item);
}

void CVireldanView::RemoveAllItems() {
  ForgetHover();
  anchor_ = nullptr;
  requested_.clear();
  items_.RemoveAll();
}

void CVireldanView::ListFolder(const std::string& relativeFolder) {
  std::string relative = relativeFolder;
  if (!relative.empty() && relative.back() != '\\') relative += '\\';
  AppendFolderFiles(items_, folder_ + relative, CurrentListingOptions(), nextId_, SystemShortcutResolver());
}

void CVireldanView::SortItems() {
  const auto& settings = g_settings.thumbnails;
  items_.Sort(sortType_, settings.reverse != 0, settings.casesense != 0);
}

void CVireldanView::ReadSlideTable() { slideOrderChanged_ = ReadSlideOrder(folder_, items_); }

void CVireldanView::SaveSlideTable() {
  if (slideOrderChanged_ && plainFolder_ && !folder_.empty()) WriteSlideOrder(folder_, items_);
}

void CVireldanView::OpenChangeNotification(const std::string& path) {
  std::string watched = path;
  if (watched.size() > 3 && watched.back() == '\\') watched.pop_back();
  changes_.Open(watched);
}

void CVireldanView::CloseChangeNotification() { changes_.Close(); }

void CVireldanView::SetFolder(const std::string& path) {
  anchor_ = nullptr;
  if (!plainFolder_) folder_.clear();  // returning to the same folder lists it again
  plainFolder_ = true;
  if (path.empty()) {
    CloseChangeNotification();
    RemoveAllItems();
    scroll_ = ScrollState();
    Redraw();
    return;
  }
  SaveSlideTable();
  WaitCursor wait;
  if (path != folder_) {
    CloseChangeNotification();
    OpenChangeNotification(path);
    folder_ = path;
    scroll_ = ScrollState();
    RemoveAllItems();
    ListFolder(std::string());
    ReadSlideTable();
    sortType_ = g_settings.thumbnails.sortby;
    if (path == g_program.programFolder + "\\vnsaver\\") sortType_ = kSortBySlideOrder;
    if (sortType_ == kSortBySlideOrder && !slideOrderChanged_) sortType_ = kSortByName;
    if (sortType_ != kNoSort) SortItems();
    if (loader_) loader_->SetEdge(layout_.edge);
    LoadNextThumbnail();
    Redraw();
  }
  UpdateScrollAndStatus();
}

void CVireldanView::ShowSubfolderContents() {
  WaitCursor wait;
  SaveSlideTable();
  RemoveAllItems();
  plainFolder_ = false;
  CloseChangeNotification();
  scroll_ = ScrollState();
  AppendFolderTree(items_, folder_, CurrentListingOptions(), nextId_, SystemShortcutResolver(), EscapeHeld);
  UpdateScrollAndStatus();
  LoadNextThumbnail();
  Redraw();
}

void CVireldanView::ShowKeySearchResults(const CNameNode* hits, bool merge) {
  SaveSlideTable();
  plainFolder_ = false;
  CloseChangeNotification();
  anchor_ = nullptr;
  folder_.clear();
  scroll_ = ScrollState();
  if (!merge) RemoveAllItems();
  // Paths already shown, so that an OR search adds each file once.
  std::unordered_set<std::string> shown;
  for (CThumbItem* item = items_.GetFirst(); item; item = items_.GetNext()) shown.insert(item->folder + item->name);
  for (const CNameNode* hit = hits; hit; hit = hit->next) {
    const std::string folder = std::string(hit->secondName) + "\\";
    if (!shown.insert(folder + hit->name).second) continue;
    CThumbItem* item = items_.AddHead();
    if (!item) break;
    item->name = hit->name;
    item->folder = folder;
    item->id = nextId_++;
    item->needsStat = 1;
  }
  sortType_ = g_settings.thumbnails.sortby;
  if (sortType_ == kSortByName) SortItems();
  UpdateScrollAndStatus();
  LoadNextThumbnail();
  Redraw();
}

void CVireldanView::FilterByKey(CKeyIndex::TreeItem key, bool exclude) {
  const CKeyNode* master = g_keyIndex.MasterNodeOf(key);
  if (!master) return;  // nothing to filter by: the view stays as it is
  SaveSlideTable();
  plainFolder_ = false;
  CloseChangeNotification();
  // The tip's item may be filtered away under it.
  ForgetHover();
  {
    WaitCursor wait;
    int position = 0, removedBefore = 0;
    bool stopped = false;
    items_.RemoveWhere([&](CThumbItem* item) {
      ++position;
      if (stopped || (stopped = EscapeHeld())) return false;
      if (g_keyIndex.FileHasKey(key, item->folder + item->name) != exclude) return false;
      ForgetItem(item);
      if (position < scroll_.firstVisible) ++removedBefore;
      return true;
    });
    scroll_.firstVisible = std::max(1, scroll_.firstVisible - removedBefore);
  }
  UpdateScrollAndStatus();
  Redraw();
  if (g_program.mainFrame) g_program.mainFrame->AppendStatusText((exclude ? " AND NOT " : " AND ") + std::string(master->name));
}

void CVireldanView::SetKeyOnSelected(CKeyIndex::TreeItem key, bool add) {
  {
    WaitCursor wait;
    g_keyIndex.ClearWriteError();
    for (CThumbItem* item = items_.GetFirstSelected(); item && !EscapeHeld(); item = items_.GetNextSelected())
      g_keyIndex.SetFileKey(key, item->folder + item->name, add);
    // Written now, while the user still knows what was keyed, rather than at some later change of
    // folder where a failure could no longer be told.
    g_keyIndex.SaveFolder();
  }
  if (g_keyIndex.WriteErrorOccurred())
    ::MessageBoxA(::GetAncestor(Handle(), GA_ROOT), kKeyIndexWriteErrorMessage, MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
  Redraw();
}

void CVireldanView::ClearView() {
  anchor_ = nullptr;
  plainFolder_ = true;
  if (loader_) loader_->CloseCache();
  CloseChangeNotification();
  folder_.clear();
  RemoveAllItems();
  scroll_ = ScrollState();
  UpdateScrollAndStatus();
  Redraw();
}

void CVireldanView::Refresh(bool waitCursor, bool forceSort) {
  if (refreshBusy_) return;
  refreshBusy_ = true;
  sortType_ = g_settings.thumbnails.sortby;
  std::unique_ptr<WaitCursor> wait(waitCursor ? new WaitCursor : nullptr);
  RefreshOutcome outcome;
  if (plainFolder_ && !folder_.empty()) {
    outcome = RefreshFolderListing(items_, folder_, CurrentListingOptions(), nextId_, scroll_.firstVisible,
                                   SystemShortcutResolver(), [&](CThumbItem* item) { ForgetItem(item); });
    scroll_.firstVisible = std::max(1, scroll_.firstVisible - outcome.removedUpToFirst);
    ReadSlideTable();
  }
  if (sortType_ != kSortRandom && sortType_ != kNoSort && (forceSort || outcome.added > 0)) SortItems();
  UpdateScrollAndStatus();
  LoadNextThumbnail();
  Redraw();
  refreshBusy_ = false;
}

void CVireldanView::PollFolderChanges() {
  if (watchSuspended_ || !plainFolder_ || !changes_.IsOpen()) return;
  std::vector<std::string> names;
  if (!changes_.Poll(names)) return;
  // The side files the program writes itself (cache, slide order, keys) change nothing shown.
  if (ChangeAffectsListing(names, CurrentListingOptions())) Refresh(false, false);
}

void CVireldanView::QueueForOpen(int mode) {
  for (CThumbItem* item = items_.GetFirstSelected(); item; item = items_.GetNextSelected())
    QueueItemForOpen(item, mode);
}

void CVireldanView::ClearOpenQueue() { openQueue_.RemoveAll(); }

bool CVireldanView::ProcessOpenQueue() {
  if (CThumbItem* head = openQueue_.GetFirst()) {
    if (head->selected == 1)
      OpenImageWindow(head->folder, head->name, 1, false);
    else
      OpenImageWindow(head->folder, head->name, 2, head->quietOpen != 0);
    openQueue_.Remove(head);
    return true;
  }
  ShellFile file;
  if (TakeCommandLineFile(g_program, file)) OpenImageWindow(file.folder, file.name, 4, true);
  if (g_program.printFlag) {
    // Cleared once printed: the start-up tip, already posted, stays away while the page is laid out.
    g_program.mainFrame->PrintImageFile(g_program.commandLinePath);
    g_program.printFlag = 0;
  }
  return false;
}
