// The thumbnail view's file commands on the selection: its context menu, deleting to the Recycle
// Bin, renaming one by one or by a pattern, and the program's own file clipboard (Copy, Cut,
// Paste). The keyword index follows each file only once the file system says it has really gone:
// a cancelled or failed operation keeps every key.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app.h"
#include "app_settings.h"
#include "auto_rename_dlg.h"
#include "command_ids.h"
#include "path_list.h"
#include "progress_window.h"
#include "rename_file_dlg.h"
#include "rename_multiple_dlg.h"
#include "rename_pattern.h"
#include "resource.h"
#include "slide_order_paste.h"
#include "thumb_loader.h"
#include "vireldan_view.h"

namespace {

constexpr int kViewContextMenu = 0;  // "jpgview", first in the context menus
constexpr char kNothingSelected[] = "There are no files currently selected.";
// The shell shows its own progress from this many files on.
constexpr size_t kMostFilesWithoutProgress = 10;
constexpr int kMostFilesWithoutRenameProgress = 50;

bool FileExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool Ask(HWND owner, const std::string& text) {
  return ::MessageBoxA(owner, text.c_str(), MessageCaption(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void Tell(HWND owner, const std::string& text) {
  ::MessageBoxA(owner, text.c_str(), MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
}

// The first confirmation the "Confirmations" settings ask for; true to go on.
bool ConfirmDelete(HWND owner, CThumbList& items) {
  const int64_t selectedKB = items.GetSelectedKB();
  const int count = items.CountSelected();
  const CThumbItem* first = items.GetFirstSelected();
  const std::string name = first ? first->name : "";
  const auto& confirm = g_settings.confirmations;
  if (selectedKB >= int64_t(confirm.allsize) * 1000) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "There are currently %i kilobytes selected\nAre you sure you want to delete it all?\n",
                  int(selectedKB));
    return Ask(owner, text);
  }
  if (count > 1 && confirm.multi)
    return Ask(owner, "There are currently " + std::to_string(count) +
                          " files selected.\nAre you sure you want to delete them all?");
  if (count == 1 && confirm.single) return Ask(owner, "Are you sure you want to delete\n" + name);
  return true;
}

}  // namespace

void CVireldanView::ShowContextMenu(POINT clientPoint) {
  const HMENU menus = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_CONTEXT_MENUS));
  if (!menus) return;
  POINT screen = clientPoint;
  ::ClientToScreen(Handle(), &screen);
  FillSendToMenu(::GetSubMenu(menus, kViewContextMenu));
  ::TrackPopupMenu(::GetSubMenu(menus, kViewContextMenu), TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                   ::GetAncestor(Handle(), GA_ROOT), nullptr);
  ::DestroyMenu(menus);
}

void CVireldanView::BeginFileCommand() {
  if (loader_) loader_->SetSuspended(true);
  WaitForLoaderIdle();
  CancelTip();
  lastHovered_ = nullptr;
}

void CVireldanView::EndFileCommand() {
  if (loader_) loader_->SetSuspended(false);
  Redraw();
}

void CVireldanView::SaveKeyIndex() {
  const bool saved = g_keyIndex.SaveSecondFolder() & g_keyIndex.SaveFolder();
  if (!saved) Tell(::GetAncestor(Handle(), GA_ROOT), kKeyIndexWriteErrorMessage);
}

void CVireldanView::OnFileCommand(UINT id) {
  switch (id) {
    case ID_DELETE_KEY:
      if (g_settings.mainOptions.delkey) DeleteSelected();
      break;
    case ID_DELETE_FILES: DeleteSelected(); break;
    case ID_RENAME_SELECTED:
    case ID_RENAME_F2: RenameSelected(); break;
    case ID_EDIT_COPY:
    case ID_FILE_COPY: CopyFiles(); break;
    case ID_EDIT_CUT:
    case ID_FILE_CUT: CutFiles(); break;
    case ID_EDIT_PASTE:
    case ID_FILE_PASTE: PasteFiles(); break;
    default: break;
  }
}

// Pasting goes into the shown folder, so a search or subfolder listing has nowhere to put files.
void CVireldanView::OnUpdatePaste(CommandState& state) { state.enabled = HasFileClipboard() && plainFolder_; }

void CVireldanView::DeleteSelected() {
  const HWND mainWindow = ::GetAncestor(Handle(), GA_ROOT);
  BeginFileCommand();
  const std::vector<std::string> paths = GetSelectedPaths();
  if (paths.empty()) {
    Tell(mainWindow, kNothingSelected);
    EndFileCommand();
    return;
  }
  if (!ConfirmDelete(mainWindow, items_)) {
    EndFileCommand();
    return;
  }
  ::EnableWindow(mainWindow, FALSE);
  anchor_ = nullptr;
  const std::string list = DoubleNulList(paths);
  SHFILEOPSTRUCTA operation = {};
  operation.hwnd = mainWindow;
  operation.wFunc = FO_DELETE;
  operation.pFrom = list.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_ALLOWUNDO;
  if (paths.size() <= kMostFilesWithoutProgress) operation.fFlags |= FOF_SILENT;
  watchSuspended_ = true;
  ::SHFileOperationA(&operation);
  watchSuspended_ = false;
  // Whatever the shell answered, only the files that are no longer there lose their keys and
  // their items.
  std::vector<CThumbItem*> gone;
  int goneBeforeFirstVisible = 0, position = 1;
  for (CThumbItem* item = items_.GetFirst(); item; item = items_.GetNext(), ++position) {
    if (!item->selected || FileExists(item->folder + item->name)) continue;
    g_keyIndex.RemoveFile(item->folder + item->name);
    gone.push_back(item);
    if (position < scroll_.firstVisible) ++goneBeforeFirstVisible;
  }
  if (!gone.empty()) {
    SaveKeyIndex();
    NoteCacheChange(int(gone.size()));
    if (plainFolder_) {
      UpdateScrollAndStatus();
      Refresh(true, true);
    } else {
      scroll_.firstVisible = std::max(1, scroll_.firstVisible - goneBeforeFirstVisible);
      for (CThumbItem* item : gone) RemoveItem(item);
      UpdateScrollAndStatus();
    }
  }
  ::EnableWindow(mainWindow, TRUE);
  EndFileCommand();
}

bool CVireldanView::RenameItem(CThumbItem* item, const std::string& newName) {
  const std::string finalName = WithOldExtension(newName, item->name);
  if (finalName == item->name) return true;
  // A plain rename never replaces a file: a name taken makes it fail, and the user is asked.
  if (!::MoveFileA((item->folder + item->name).c_str(), (item->folder + finalName).c_str())) return false;
  g_keyIndex.RenameFile(item->folder, item->name, finalName);
  item->name = finalName;
  return true;
}

void CVireldanView::RenameSelected() {
  const HWND mainWindow = ::GetAncestor(Handle(), GA_ROOT);
  const int count = items_.CountSelected();
  if (!count) {
    Tell(mainWindow, kNothingSelected);
    return;
  }
  BeginFileCommand();
  anchor_ = nullptr;
  bool patterned = false;
  CAutoRenameDlg pattern;
  if (count > 1) {
    CRenameMultipleDlg choice;
    const INT_PTR answer = choice.DoModal(mainWindow);
    if (answer == CRenameMultipleDlg::kAutoRename) patterned = pattern.DoModal(mainWindow) == IDOK;
    if (answer == CRenameMultipleDlg::kCancelled || (answer == CRenameMultipleDlg::kAutoRename && !patterned)) {
      EndFileCommand();
      return;
    }
  }
  std::vector<CThumbItem*> selected;
  for (CThumbItem* item = items_.LinkAux(); item; item = item->aux)
    if (item->selected) selected.push_back(item);
  std::unique_ptr<CProgressWnd> progress;
  if (patterned && count > kMostFilesWithoutRenameProgress) {
    progress = std::make_unique<CProgressWnd>(mainWindow, false);
    progress->SetTitle("Renaming...");
    progress->Show(true);
  }
  bool renamedAny = false;
  for (size_t index = 0; index < selected.size(); ++index) {
    CThumbItem* item = selected[index];
    std::string newName;
    if (patterned) {
      newName = PatternName(pattern.format, item->name, pattern.firstNumber + int(index), count);
      if (progress) progress->SetPos(int(index), count);
    } else {
      CRenameFileDlg dialog;
      dialog.newName = item->name;
      if (dialog.DoModal(mainWindow) != IDOK) break;
      newName = dialog.newName;
    }
    const std::string oldName = item->name;
    if (RenameItem(item, newName)) {
      renamedAny = renamedAny || item->name != oldName;
      continue;
    }
    if (progress) progress->Show(false);
    if (!Ask(mainWindow, "Unable to rename:\n" + oldName + "\nContinue?")) break;
    if (progress) progress->Show(true);
  }
  if (progress) progress->Close();
  if (renamedAny) SaveKeyIndex();
  EndFileCommand();
}

// With nothing selected (an accelerator reaches here even while the menu item is greyed) the
// files held from before stay held.
void CVireldanView::CopyFiles() {
  const std::vector<std::string> paths = GetSelectedPaths();
  if (paths.empty()) return;
  items_.MarkSelected(false);
  fileClipboard_ = DoubleNulList(paths);
  fileClipboardMove_ = false;
  Redraw();
}

void CVireldanView::CutFiles() {
  if (::GetKeyState(VK_MENU) < 0) {
    cutHere_ = true;
    fileClipboard_.clear();
    items_.MarkSelected(false);
    Redraw();
    return;
  }
  const std::vector<std::string> paths = GetSelectedPaths();
  if (paths.empty()) return;
  cutHere_ = true;
  items_.MarkSelected(true);
  fileClipboard_ = DoubleNulList(paths);
  fileClipboardMove_ = true;
  Redraw();
}

void CVireldanView::PasteFiles() {
  if (fileClipboard_.empty() || !plainFolder_) return;
  if (cutHere_ && fileClipboardMove_ && sortType_ == kSortBySlideOrder)
    PasteInSlideOrder();
  else
    TransferClipboardHere(fileClipboardMove_);
}

// Within the folder a cut and paste only changes where the cut thumbnails are shown.
void CVireldanView::PasteInSlideOrder() {
  const CThumbItem* target = items_.GetFirstSelected();
  if (!target) target = ItemAt(scroll_.firstVisible);
  PlaceMarkedBefore(items_, target);
  SortItems();
  SlideOrderChanged();
  fileClipboard_.clear();
  items_.MarkSelected(false);
  Redraw();
}
