#pragma once
// The folder tree pane as a place to drag to and from: while something is dragged over it, the
// folder under the mouse is highlighted, opens when the mouse rests on it, and the tree scrolls
// near its top and bottom edges; a folder can be dragged out of the tree as a file drop. Files
// and folders dropped on a folder are moved, copied or linked into it by the keys held; dropped
// on the Recycle Bin they are sent there.
#include <string>
#include <vector>

#include "drop_decisions.h"
#include "file_drop_target.h"
#include "name_space_tree_view.h"

class FileTransfer;
class WindowTransferHost;

class CDragDropDirView : public CNameSpaceTreeView, protected DropTargetEvents {
 public:
  CDragDropDirView() : dropTarget_(*this) {}

  // The files the thumbnail view starts to drag out, or none once its drag is over. Over the
  // folder they all lie in, a move or copy would do nothing, and the pointer says so.
  void SetDraggedFiles(const std::vector<std::string>& paths);

 protected:
  // After a move, copy or shortcut batch onto the tree.
  virtual void OnFilesTransferred() {}

  void OnBeginDrag(HTREEITEM item) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // DropTargetEvents, in this view's client coordinates.
  DWORD OnDragEnter(IDataObject* data, DWORD keys, POINT point) override;
  DWORD OnDragOver(DWORD keys, POINT point) override;
  void OnDragLeave() override;
  DWORD OnDrop(IDataObject* data, DWORD keys, POINT point) override;

  // The hover timer ran out: open the folder the mouse still rests on.
  void OnHoverTimer();
  // Lets go of everything open in the folders before one is renamed, moved or deleted: the
  // thumbnail view's files, and the keyword index's folders, whose changes are written while they
  // still stand where they were read.
  void ReleaseOpenFolders();

  static constexpr UINT_PTR kHoverTimer = 2;

 private:
  void ScrollWhileDragging(POINT point);
  void EndDragFeedback();
  // The transfers a drop on a folder item starts; each returns the effect that happened.
  DWORD DropFolder(HTREEITEM target, const std::string& destination, DropKeys keys, WindowTransferHost& host,
                   FileTransfer& transfer);
  DWORD DropFiles(const std::vector<std::string>& names, const std::string& destination, DropKeys keys,
                  bool onScreenSaverItem, WindowTransferHost& host, FileTransfer& transfer);
  DWORD DropOnRecycleBin(const std::vector<std::string>& names);
  // Lets go of what the program holds open below folder (the thumbnail view's folder, the index,
  // the current directory) before the folder moves away.
  void ReleaseFolder(const std::string& folder);
  std::vector<std::string> TakeDroppedNames();
  void Warn(const char* text);

  CFileDropTarget dropTarget_;
  bool folderDrag_ = false;
  std::string draggedFolder_;
  std::string draggedFilesFolder_;  // the folder of the thumbnail view's dragged files, if one
  POINT hoverPoint_ = {-100, -100};
  DWORD dragEnterTime_ = 0;
  DWORD lastScrollTime_ = 0;
};
