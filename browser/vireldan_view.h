#pragma once
// The thumbnail view: the right-hand pane of the main window, a grid of the shown folder's
// thumbnails (or of search results) with captions, a selection frame and a private scroll bar.
// It lists the folder, keeps the listing current when the folder changes, asks the loader thread
// for thumbnails (visible cells first) and paints through a back buffer. Files
// queued for opening go to image windows one per idle cycle.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "annotation_wnd.h"
#include "command_routing.h"
#include "folder_change_watch.h"
#include "image_listing.h"
#include "key_index.h"
#include "thumb_grid.h"
#include "thumb_list.h"
#include "thumb_schedule.h"
#include "thumb_selection.h"
#include "view.h"

class Cthumbloader;
class CNameNode;

class CVireldanView : public View {
 public:
  // True when the class's command table has a handler for the command.
  static bool Handles(UINT id);
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
  // The listing of one folder (not its subfolders' contents, not search results).
  bool ShowsPlainFolder() const { return plainFolder_; }
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

  // Selection.
  void DeselectAll();
  void Reselect();
  void SelectAll();
  void InvertSelection();
  // Selects the item with that id (the others stay as they are).
  void SelectById(int id);
  // Moves the selection kept by the last DeselectAll before the item in whose cell movePoint lies.
  void MoveSelectedInSlideTable();

  // The hover tip: its window (null when none is shown) and text.
  HWND TipWindow() const { return tip_ ? tip_->Handle() : nullptr; }
  const std::string& TipText() const { return tipText_; }
  // Takes the tip down and forgets the hovered item.
  void CancelTip();
  // The items under the pointer changed: no tip, no hovered item.
  void ForgetHover();
  void OnMouseLeave();

  // File commands on the selection. Keys of the keyword index follow only the files that really
  // went, moved or arrived.
  void ShowContextMenu(POINT clientPoint);
  void DeleteSelected();
  void RenameSelected();
  void CopyFiles();
  void CutFiles();
  void PasteFiles();
  // "X:" or "X:\" (a letter A-Z) or an existing folder: where Send To copies rather than runs.
  static bool IsFolderOrDriveRoot(const std::string& path);
  bool HasFileClipboard() const { return !fileClipboard_.empty(); }

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CommandState& state) override;

  // Tools on the selected files.
  // Moves each series of 6 to 200 like-named files of a plain folder into a subfolder named
  // after the series; their keys go with them.
  void AutoSort();
  // Turns or flips the selected files losslessly on a worker (code 1 clockwise, 2 counter-
  // clockwise, 3 half turn, 4 flip vertical, 5 flip horizontal).
  void LosslessTransformSelected(int code);
  // A worker rewrote the file: its thumbnail is made again.
  void OnFileChanged(const std::string& path);

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

  // Mouse and keyboard.
  void OnLButtonDown(WPARAM flags, POINT point);
  void OnLButtonUp(POINT point);
  void OnMouseMove(WPARAM flags, POINT point);
  void OnLButtonDblClk(WPARAM flags, POINT point);
  void OnRButtonDown(WPARAM flags, POINT point);
  void OnKeyDown(UINT key);
  void OnChar(UINT character);
  void OnSelectAdjacent(bool previous, bool fullScreen);
  void MoveSelection(ArrowKey key);
  void MovePointerToItem(const CThumbItem* item);
  // Clicks where the mouse pointer is, as the keyboard's Space and Enter do.
  void ClickAtPointer(bool doubleClick);
  void DrawBand(HDC dc);
  void EndDrag();
  // The selection leaves the view: it is hidden while the drag of its files runs.
  void DragSelectionOut();
  // Offers the selected files to other programs and the folder tree by drag and drop; after a
  // move the listing follows the folder.
  void StartDragDrop();
  // folder + name of every selected item, in list order.
  std::vector<std::string> GetSelectedPaths();
  // Sorts by the new slide order and records it in the folder.
  void SlideOrderChanged();
  void QueueItemForOpen(const CThumbItem* item, int mode);
  // The preview pop-up follows clicks and keyboard moves when the "Frame Layout" value
  // "preview_on" is on.
  void ShowInPreview(const CThumbItem* item);
  void HidePreview();
  void OnKillFocus(HWND gaining);
  // Waits for the pointer to rest on the hovered item, then shows its tip.
  void ArmHoverTip(CThumbItem* hovered, POINT point);
  void OnHoverTimer();
  void OnTimer(UINT_PTR id);
  void Redraw();
  void MeasureClient();
  int ClientWidth() const;
  int ClientHeight() const;
  CThumbItem* ItemAt(int position);
  // Asks the loader for the item's thumbnail, remembering the item for the result.
  bool Request(CThumbItem& item);
  // Whether a selected file is among those asked for.
  void NoteSelectedRequested();
  // The requested item of a result's id, or null.
  CThumbItem* TakeRequested(int id);
  void RepaintArrivals();
  bool IsItemVisible(const CThumbItem* item);
  bool VisibleCellsLoaded();
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
  void OnSelectionCommand(UINT id);
  void OnMoveInSlideOrder(UINT id);
  void OnUpdateMoveInSlideOrder(CommandState& state);
  // Create Index image: one picture of the selected thumbnails, and its HTML image map.
  void CreateIndexImage(UINT id);
  // File commands: the loader reads none of the selected files while they change.
  void BeginFileCommand();
  void EndFileCommand();
  void OnFileCommand(UINT id);
  void OnUpdatePaste(CommandState& state);
  // Renames one item's file within its folder, never over another; false when it could not.
  bool RenameItem(CThumbItem* item, const std::string& newName);
  // Moves (after Cut, unless the folder tree stands on the screen-saver item) or copies the
  // clipboard's files into the shown folder.
  void TransferClipboardHere(bool move);
  // Moves or copies the files into the shown folder as a drop on the folder tree would: a taken
  // name brings up the File collision dialog, and the keys follow each file that arrived.
  void TransferHere(const std::vector<std::string>& sources, bool move);
  // The transfer itself, with the main window disabled and the keys saved afterwards.
  void TransferInto(const std::vector<std::string>& sources, const std::string& destination, bool move);
  // Fills the context menu's Send To popup from the program's "sendto" folder.
  void FillSendToMenu(HMENU contextMenu);
  void OnSendTo(UINT id);
  void OnDropFiles(HDROP drop);
  void PasteInSlideOrder();
  void SaveKeyIndex();
  static const CommandEntry<CVireldanView> kCommands[];

  // Tools on the selected files.
  // Keeps the loader off the selected files while a command changes them, and resumes it.
  void PauseLoaderForSelection();
  void ResumeLoader();
  void OnCopyFilenameHtml(UINT id);
  void OnEditAnnotation(UINT id);
  void OnGoToImageDir(UINT id);
  void OnSyncDateToExif(UINT id);
  void OnExtractAudio(UINT id);
  void OnLosslessTransform(UINT id);
  void OnSelectLikeFilenames(UINT id);
  void OnUpdateExactlyOneSelected(CommandState& state);
  void OnUpdateAnySelected(CommandState& state);
  // Selects every item whose name holds the prefix of name (nothing is deselected); the count.
  int SelectLikeNamed(const std::string& name);

  CThumbList items_;
  CThumbList openQueue_;
  std::string folder_;
  Cthumbloader* loader_ = nullptr;
  std::vector<CThumbItem*> requested_;  // the items of the request outstanding; null once they left the list
  ScheduleCursor scheduleCursor_;
  HWND notify_ = nullptr;
  CThumbItem* anchor_ = nullptr;
  const CThumbItem* lastHovered_ = nullptr;  // the item whose path the status bar shows
  bool leaveTracked_ = false;  // the system tells the view when the pointer leaves it
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

  // Mouse state: a drag of the selection inside the view, or a rubber band.
  bool dragArmed_ = false;  // the button went down on an item
  POINT dragOrigin_ = {};
  bool dragging_ = false;   // the selection floats with the pointer (mouse captured)
  POINT dragOffset_ = {};
  bool hideSelected_ = false;    // the selection is being dragged out of the view
  bool watchSuspended_ = false;  // no change polling while a drag-out runs
  bool bandArmed_ = false;  // the button went down on empty space
  bool bandActive_ = false;
  POINT bandOrigin_ = {};
  POINT bandEnd_ = {};
  bool bandDrawn_ = false;  // a focus rectangle is on screen
  BandRect bandRect_;
  POINT movePoint_ = {};  // where the last right click or Alt+click chose a slide-order target

  // The program's file clipboard: the paths after Copy or Cut, and whether pasting moves them.
  std::string fileClipboard_;  // double-NUL list; empty when nothing is held
  bool fileClipboardMove_ = false;
  bool cutHere_ = false;  // the last Cut came from this view
  // The full paths of the Send To shortcuts in menu order, as the context menu last listed them.
  std::vector<std::string> sendToList_;

  // The hover tip.
  static constexpr UINT_PTR kHoverTimer = 3;
  const CThumbItem* hovered_ = nullptr;
  POINT hoverPoint_ = {-1, -1};
  std::unique_ptr<CAnnotationWnd> tip_;
  std::string tipText_;
};
