#pragma once
// The folder tree pane as a place to drag to and from: while something is dragged over it, the
// folder under the mouse is highlighted, opens when the mouse rests on it, and the tree scrolls
// near its top and bottom edges; a folder can be dragged out of the tree as a file drop. What a
// drop onto the tree does is the file-transfer work's; until it exists the pane accepts nothing.
#include <string>

#include "name_space_tree_view.h"
#include "ole_drop_target.h"

class CDragDropDirView : public CNameSpaceTreeView, protected DropTargetEvents {
 public:
  CDragDropDirView() : dropTarget_(*this) {}

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

  static constexpr UINT_PTR kHoverTimer = 2;

 private:
  void ScrollWhileDragging(POINT point);
  void EndDragFeedback();

  OleDropTarget dropTarget_;
  bool folderDrag_ = false;
  std::string draggedFolder_;
  POINT hoverPoint_ = {-100, -100};
  DWORD dragEnterTime_ = 0;
  DWORD lastScrollTime_ = 0;
};
