#pragma once
// The Favorite Folders tool window: the list of favourite folders, kept in "favorites.txt" and
// mirrored in the main menu's Favorites submenu. Entries are reordered by dragging; choosing one
// (here or in the menu) shows that folder. The list view holds the only copy of the list.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "dialog.h"

// Favourites beyond this many are reachable only in the window.
constexpr int kFavoriteMenuEntries = 29;

class CFavoritesDlg : public Dialog {
 public:
  CFavoritesDlg();
  ~CFavoritesDlg() override;

  bool Create(HWND mainFrame);
  void Toggle();
  // Adds the folder shown (the current directory) at the top of the list.
  void OnAdd();
  void OnRemove();
  // Shows favourite n through the main frame's folder change; nothing for an entry without text.
  void GoToFavorite(int n);
  void Load(const std::string& file);
  void Save(const std::string& file);
  void RebuildMenu();
  std::vector<std::string> Entries() const;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void OnCancel() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  HWND List() const;
  void Insert(int index, const std::string& text);
  void Changed();
  void FitList();
  int ItemAt(POINT inDialog) const;
  void BeginDrag(int index);
  void DragTo(POINT inDialog);
  void Drop(POINT inDialog);
  void EndDrag();

  bool initialised_ = false;
  bool visible_ = false;
  bool dragging_ = false;
  int dragIndex_ = -1;
  std::string dragText_;
  int dropTarget_ = -1;
  HIMAGELIST images_ = nullptr;
};
