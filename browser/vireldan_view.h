#pragma once
// The thumbnail view: the right-hand pane of the main window, a grid of the shown folder's
// thumbnails (or of search results) with captions, a selection frame and a private scroll bar.
// It lists the folder, keeps the listing current when the folder changes, asks the loader thread
// for one thumbnail at a time (visible cells first) and paints through a back buffer. Files
// queued for opening go to image windows one per idle cycle.
#include <windows.h>

#include <string>

#include "command_routing.h"
#include "folder_change_watch.h"
#include "image_listing.h"
#include "key_index.h"
#include "thumb_grid.h"
#include "thumb_list.h"
#include "view.h"

class Cthumbloader;
class CNameNode;

class CVireldanView : public View {
 public:
  CVireldanView();
  ~CVireldanView() override;

  // Creates the window, the scroll bar, the back buffer and the loader thread, whose results go
  // to notify (the main window, which passes them back through OnThumbnailReady).
  bool Create(HWND parent, UINT id, HWND notify);

  // Listing (folders end in a backslash).
  void SetFolder(const std::string& path);
  void ShowSubfolderContents();
  // Shows a chain of search hits (name, then folder), instead of the listing or, with merge,
  // added to it without repeating a file already shown. The chain stays the caller's.
  void ShowKeySearchResults(const CNameNode* hits, bool merge);
  // Keeps only the items whose file carries the key or one below it; with exclude drops them
  // instead. Escape stops the filtering where it stands. The main frame's status text tells it.
  void FilterByKey(CKeyIndex::TreeItem key, bool exclude);
  // Adds (or removes) the key on every selected file and writes the index at once; a failed
  // write is told the user.
  void SetKeyOnSelected(CKeyIndex::TreeItem key, bool add);
  void ClearView();
  void Refresh(bool waitCursor, bool forceSort);
  const std::string& Folder() const { return folder_; }
  CThumbList& Items() { return items_; }

  // The open queue; mode 0 opens normally, 1 at full size.
  void QueueForOpen(int mode);
  void ClearOpenQueue();
  // Opens the next queued file; true when it opened one (more idle work wanted).
  bool ProcessOpenQueue();

  // Thumbnails.
  void LoadNextThumbnail();
  void OnThumbnailReady();
  void WaitForLoaderIdle();
  void StopLoader();
  void PurgeCache();
  void ShowCacheInfo();
  bool OnCacheLock();
  void NoteCacheChange(int n);

  // Layout.
  void ApplyThumbnailSize();
  void UpdateScrollAndStatus();
  // The item under a client point, or null.
  CThumbItem* HitTest(int x, int y, bool anywhere);

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CommandState& state) override;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Window.
  void OnInitialUpdate();
  void OnSize();
  void OnPaint();
  void OnDraw(HDC dc);
  void DrawItem(HDC dc, CThumbItem& item, int x, int y);
  void DrawCaption(HDC dc, const std::string& text, int x, int y);
  void OnVScroll(int code);
  void OnMouseWheel(int delta);
  void OnLeftButtonDown(int x, int y);
  void OnTimer(UINT_PTR id);
  void Redraw();
  void MeasureClient();
  int ClientWidth() const;
  int ClientHeight() const;
  CThumbItem* ItemAt(int position);
  int PositionOf(const CThumbItem* item);

  // Listing.
  ListingOptions CurrentListingOptions() const;
  void ListFolder(const std::string& relativeFolder);
  void SortItems();
  void SaveSlideTable();
  void ReadSlideTable();
  void RemoveAllItems();
  void RemoveItem(CThumbItem* item);
  // Clears every pointer that holds the item, before it goes.
  void ForgetItem(const CThumbItem* item);
  void OpenChangeNotification(const std::string& path);
  void CloseChangeNotification();
  void PollFolderChanges();

  // Commands.
  void OnOpenSelected(UINT id);
  void OnUpdateOpenSelected(CommandState& state);
  void OnThumbnailSizeStep(UINT id);
  void OnSubfolderContents(UINT id);
  void OnCacheCommand(UINT id);
  void OnUpdateCacheLock(CommandState& state);
  static const CommandEntry<CVireldanView> kCommands[];

  CThumbList items_;
  CThumbList openQueue_;
  std::string folder_;
  Cthumbloader* loader_ = nullptr;
  HWND notify_ = nullptr;
  CThumbItem* anchor_ = nullptr;
  HWND scrollBar_ = nullptr;
  HDC memDC_ = nullptr;
  HBITMAP backBitmap_ = nullptr;
  HBITMAP originalBitmap_ = nullptr;
  int bufferHeight_ = 0;
  ThumbCellLayout layout_;
  ThumbGrid grid_;
  ScrollState scroll_;
  int sizeType_ = -1;
  COLORREF highlight_;
  bool showName_ = true, showDate_ = true, showSize_ = true;
  bool initialised_ = false;
  bool painting_ = false;
  bool stopping_ = false;
  bool repaintPending_ = false;
  bool loadingSelected_ = false;
  int sortType_ = 0;
  bool slideOrderChanged_ = false;
  bool plainFolder_ = true;
  bool refreshBusy_ = false;
  int nextId_ = 1;  // 0 is the loader's "discarded" result
  FolderChangeWatch changes_;
};
