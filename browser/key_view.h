#pragma once
// The Key view: the pane below the folder tree that shows the keyword index's keys as a tree
// below an item for the current folder. Keys are made, renamed, deleted and expanded here; a key
// is searched for below the current folder (the hits replace or join what the thumbnail view
// shows); files dropped on a key get it (Ctrl: lose it); Alt- or Ctrl-clicking a key keys or
// unkeys the selected thumbnails; a key and the keys below it are exported as an HTML page.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "command_routing.h"
#include "file_drop_target.h"
#include "key_tree_display.h"
#include "tree_control.h"
#include "tree_label_edit.h"
#include "control_pane.h"

class CKeyIndex;
class KeyViewHost;

// The tree control inside the view: its mouse and keyboard messages go to the view first.
class CKeyTreeCtrl : public TreeControl {
 public:
  class Input {
   public:
    virtual ~Input() = default;
    // True when the message was consumed (the control's own handling is skipped).
    virtual bool OnTreeInput(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  };
  explicit CKeyTreeCtrl(Input& input) : input_(input) {}

  // The item whose icon, label or state icon lies under a client point; none elsewhere.
  HTREEITEM ItemOnPoint(POINT point) const;
  void SetItemImage(HTREEITEM item, int image);
  int GetItemImage(HTREEITEM item) const;
  void SortChildren(HTREEITEM parent);
  void SetStyle(DWORD add, DWORD remove);

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  Input& input_;
};

class CKeyView : public ControlPane, public KeyTreeDisplay, private CKeyTreeCtrl::Input, private DropTargetEvents {
 public:
  // True when the class's command table has a handler for the command.
  static bool Handles(UINT id);
  // The pictures of the items, in the order of the image list.
  enum ItemImage { kPlainKey, kKeyedKey, kParentOfKeyed, kFolder };
  // Drops of this many names or more show the progress window; fewer, the wait cursor.
  static constexpr int kProgressDropCount = 21;

  CKeyView(CKeyIndex& index, KeyViewHost& host);
  ~CKeyView() override;

  bool Create(HWND parent, UINT id);
  CKeyTreeCtrl& Tree() { return tree_; }

  // The Key menu (the argument is the command, unused).
  void OnNewKey(UINT = 0);
  void OnNewRootKey(UINT = 0);
  void OnRename(UINT = 0);
  void OnDeleteKey(UINT = 0);
  void OnClearKeys(UINT = 0);
  void OnSearchKey(UINT = 0);
  void OnSearchOrKey(UINT = 0);
  void ExpandKeys(UINT = 0);
  void OnExportKeys(UINT = 0);
  void OnScanIndexes(UINT = 0);
  void OnCompileIndexes(UINT = 0);
  // Shows the keys the index learnt since, under the current folder's item.
  void RefreshTree();

  // The selected key; none when the folder item or nothing is selected.
  HTREEITEM SelectedKey() const { return selectedKey_; }
  bool SearchLocked() const { return searchLock_; }

  // The hover tip's marks: every item plain, then a key the file carries and the keys above it.
  void SetAllItemsImage();
  void MarkFileKeys(const std::string& file);

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CommandState& state) override;

  // KeyTreeDisplay
  Item RootItem() override { return root_; }
  Item InsertKeyItem(Item parent, const std::string& name) override;
  void SortChildren(Item parent) override;
  void SetItemText(Item item, const std::string& text) override;
  void Expand(Item item) override;
  void MarkKeyPath(Item item) override;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Shows the exported page with the shell.
  virtual void OpenExportedPage(const std::string& path);

 private:
  static constexpr UINT_PTR kSearchLockTimer = 100;
  static constexpr UINT_PTR kScrollTimer = 101;
  static constexpr UINT_PTR kHoverTimer = 102;

  void OnInitialUpdate();
  HTREEITEM InsertRootItem(const std::string& text);
  HWND MainWindow() const { return ::GetAncestor(Handle(), GA_ROOT); }
  int Message(const std::string& text, UINT flags) const;
  void StartNewKey(HTREEITEM parent);
  void StartLabelEdit(HTREEITEM item);
  void OnEndLabelEdit(HTREEITEM item, const std::string& typed);
  void Search(bool merge);
  void OnTimer(UINT_PTR id);
  void ShowContextMenu(POINT screenPoint);
  bool ConfirmDeleteKey(HTREEITEM item);
  // The page of the key of from and every key below it, searched below folder.
  std::string ExportPage(const std::string& folder, HTREEITEM from);
  bool OnControlNotify(NMHDR* header, LRESULT& result) override;
  void OnUpdateNeedsKey(CommandState& state);
  void OnUpdateNeedsItem(CommandState& state);
  static const CommandEntry<CKeyView> kCommands[];

  // CKeyTreeCtrl::Input
  bool OnTreeInput(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDoubleClick(POINT point, bool& consumed);

  // DropTargetEvents, in the tree's client coordinates.
  DWORD OnDragEnter(IDataObject* data, DWORD keys, POINT point) override;
  DWORD OnDragOver(DWORD keys, POINT point) override;
  void OnDragLeave() override;
  DWORD OnDrop(IDataObject* data, DWORD keys, POINT point) override;
  void KeyDroppedFiles(HTREEITEM item, bool removing);

  CKeyIndex& index_;
  KeyViewHost& host_;
  CKeyTreeCtrl tree_;
  CFileDropTarget dropTarget_;
  HIMAGELIST images_ = nullptr;
  HTREEITEM root_ = nullptr;
  HTREEITEM selectedKey_ = nullptr;
  TreeLabelEdit labelEdit_;
  bool newKey_ = false;
  bool searchLock_ = false;
  bool scrollUp_ = false;
  bool scrollDown_ = false;
  POINT hoverPoint_ = {-100, -100};
};
