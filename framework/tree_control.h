#pragma once
// The system tree-view control as a window object: thin wrappers over its TVM_ messages.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "window.h"

class TreeControl : public Window {
 public:
  HTREEITEM GetRootItem() const { return Next(nullptr, TVGN_ROOT); }
  // TVI_ROOT: the first top-level item.
  HTREEITEM GetChildItem(HTREEITEM item) const { return item == TVI_ROOT ? GetRootItem() : Next(item, TVGN_CHILD); }
  HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return Next(item, TVGN_NEXT); }
  HTREEITEM GetParentItem(HTREEITEM item) const { return Next(item, TVGN_PARENT); }
  HTREEITEM GetSelectedItem() const { return Next(nullptr, TVGN_CARET); }
  bool ItemHasChildren(HTREEITEM item) const { return GetChildItem(item) != nullptr; }

  HTREEITEM InsertItem(TVINSERTSTRUCTA& insert);
  bool DeleteItem(HTREEITEM item);
  // Expands, collapses or toggles an item (TVE_ codes).
  virtual bool Expand(HTREEITEM item, UINT code);
  // Makes the item the caret (selected) item.
  bool SelectItem(HTREEITEM item);
  bool EnsureVisible(HTREEITEM item);
  // Highlights the item as the target of a drag (none: no item).
  bool SelectDropTarget(HTREEITEM item);
  // The item at a point of the client area, or none.
  HTREEITEM HitTest(POINT point) const;
  // Starts editing the item's label; the edit control, or none.
  HWND EditLabel(HTREEITEM item);

  LPARAM GetItemData(HTREEITEM item) const;
  bool SetItemData(HTREEITEM item, LPARAM data);
  UINT GetItemState(HTREEITEM item, UINT mask) const;
  bool SetItemState(HTREEITEM item, UINT state, UINT mask);
  // The item text, at most 259 characters.
  std::string GetItemText(HTREEITEM item) const;
  bool SetItemText(HTREEITEM item, const std::string& text);
  // Whether the item shows an expand button before its children are known.
  bool SetHasChildrenMarker(HTREEITEM item, bool hasChildren);
  bool HasChildrenMarker(HTREEITEM item) const;

  // Sorts an item's children with a comparison of their item data.
  bool SortChildrenCB(HTREEITEM parent, PFNTVCOMPARE compare, LPARAM context);
  HIMAGELIST SetImageList(HIMAGELIST images, int kind);

 private:
  HTREEITEM Next(HTREEITEM item, UINT relation) const;
  bool SetItem(TVITEMA& item);
  bool GetItem(TVITEMA& item) const;
};
