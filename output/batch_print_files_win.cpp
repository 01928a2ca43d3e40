// The batch-print sheet's File(s) page, with the thumbnails its miniature shows, and its Setups
// page of saved print setups.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "app.h"
#include "app_settings.h"
#include "batch_print_ps.h"
#include "file_question.h"
#include "file_system.h"
#include "print_setup_file.h"
#include "resource.h"

namespace {

void AddListColumn(HWND list) {
  RECT client = {};
  ::GetClientRect(list, &client);
  LVCOLUMNA column = {};
  column.mask = LVCF_WIDTH;
  column.cx = client.right - ::GetSystemMetrics(SM_CXVSCROLL) - 1;
  ListView_InsertColumn(list, 0, &column);
}

void AppendItem(HWND list, const std::string& text) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = ListView_GetItemCount(list);
  item.pszText = const_cast<char*>(text.c_str());
  ListView_InsertItem(list, &item);
}

std::string ItemTextOf(HWND list, int index) {
  char text[MAX_PATH + 1] = {};
  ListView_GetItemText(list, index, 0, text, sizeof text);
  return text;
}

}  // namespace

// File(s).

CBPFilesPP::CBPFilesPP(CBatchPrintPS& sheet, const BatchPrintHooks& hooks)
    : BatchPrintPage(IDD_BP_FILES, sheet), hooks_(hooks) {}

bool CBPFilesPP::OnInitDialog() {
  AddListColumn(Item(IDC_BP_LIST));
  ListView_SetExtendedListViewStyle(Item(IDC_BP_LIST), LVS_EX_FULLROWSELECT);
  if (hooks_.viewFiles)
    for (const std::string& path : hooks_.viewFiles(true)) AppendItem(Item(IDC_BP_LIST), path);
  BatchPrintCount = ListView_GetItemCount(Item(IDC_BP_LIST));
  SyncThumbnails();
  initialised_ = true;
  return PropertyPage::OnInitDialog();
}

std::vector<std::string> CBPFilesPP::Items() const {
  std::vector<std::string> items;
  if (!Handle()) return items;
  const HWND list = Item(IDC_BP_LIST);
  const int count = ListView_GetItemCount(list);
  for (int i = 0; i < count; ++i) items.push_back(ItemTextOf(list, i));
  return items;
}

void CBPFilesPP::AddItems(const std::vector<std::string>& paths) {
  if (!Handle()) return;
  for (const std::string& path : paths) AppendItem(Item(IDC_BP_LIST), path);
  ListChanged();
}

void CBPFilesPP::ListChanged() {
  BatchPrintCount = ListView_GetItemCount(Item(IDC_BP_LIST));
  SyncThumbnails();
  sheet_.Changed();
}

void CBPFilesPP::SyncThumbnails() {
  if (BatchPrintCount == 0) return;
  const std::vector<std::string> items = Items();
  cache_.erase(std::remove_if(cache_.begin(), cache_.end(),
                              [&](const CachedThumbnail& cached) {
                                return std::find(items.begin(), items.end(), cached.path) == items.end();
                              }),
               cache_.end());
  for (const std::string& path : items) {
    auto found = std::find_if(cache_.begin(), cache_.end(), [&](const CachedThumbnail& c) { return c.path == path; });
    if (found == cache_.end()) found = cache_.insert(cache_.end(), CachedThumbnail{path, nullptr});
    if (found->picture || !hooks_.thumbnail) continue;
    auto picture = std::make_unique<Cimage>();
    if (hooks_.thumbnail(path, *picture)) found->picture = std::move(picture);
  }
}

const Cimage* CBPFilesPP::NextThumbnail(bool restart) {
  if (!initialised_ || !Handle()) return nullptr;
  if (restart) next_ = 0;
  const HWND list = Item(IDC_BP_LIST);
  if (next_ >= ListView_GetItemCount(list)) return nullptr;
  const std::string path = ItemTextOf(list, next_++);
  const auto found = std::find_if(cache_.begin(), cache_.end(), [&](const CachedThumbnail& c) { return c.path == path; });
  return found == cache_.end() ? nullptr : found->picture.get();
}

bool CBPFilesPP::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return PropertyPage::OnCommand(id, code);
  const HWND list = Item(IDC_BP_LIST);
  switch (id) {
    case IDC_BP_ADD_ALL:
      if (hooks_.viewFiles)
        for (const std::string& path : hooks_.viewFiles(false)) AppendItem(list, path);
      break;
    case IDC_BP_REMOVE_SELECTED:
      for (int i = ListView_GetItemCount(list) - 1; i >= 0; --i)
        if (ListView_GetItemState(list, i, LVIS_SELECTED)) ListView_DeleteItem(list, i);
      break;
    case IDC_BP_CLEAR_ALL:
      ListView_DeleteAllItems(list);
      cache_.clear();
      break;
    case IDC_BP_REMOVE_DUPLICATES:
      for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        const std::string text = ItemTextOf(list, i);
        for (int j = ListView_GetItemCount(list) - 1; j > i; --j)
          if (ItemTextOf(list, j) == text) ListView_DeleteItem(list, j);
      }
      break;
    default:
      return PropertyPage::OnCommand(id, code);
  }
  ListChanged();
  return true;
}

// Setups.

CBPSaveLoadPP::CBPSaveLoadPP(CBatchPrintPS& sheet) : BatchPrintPage(IDD_BP_SETUPS, sheet) {}

std::string CBPSaveLoadPP::SetupsFolder() {
  char program[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string folder = program;
  folder.erase(folder.find_last_of('\\') == std::string::npos ? 0 : folder.find_last_of('\\'));
  return folder + "\\printsetups";
}

bool CBPSaveLoadPP::OnInitDialog() {
  AddListColumn(Item(IDC_BP_SETUP_LIST));
  RefreshList();
  return PropertyPage::OnInitDialog();
}

void CBPSaveLoadPP::RefreshList() {
  const HWND list = Item(IDC_BP_SETUP_LIST);
  ListView_DeleteAllItems(list);
  const std::string folder = SetupsFolder();
  platform::CreateDirectoryChain(folder);
  WIN32_FIND_DATAA found = {};
  const HANDLE search = ::FindFirstFileA((folder + "\\*.psu").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) AppendItem(list, found.cFileName);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
}

void CBPSaveLoadPP::Load(int item) {
  const std::string path = SetupsFolder() + "\\" + ItemTextOf(Item(IDC_BP_SETUP_LIST), item);
  std::string message;
  if (!LoadPrintSetupFile(path, g_settings.batchPrint, message) && !message.empty())
    ::MessageBoxA(Handle(), message.c_str(), MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
  sheet_.Changed();
}

void CBPSaveLoadPP::SaveSetup() {
  const std::string file = AskFileToSave(
      Handle(), {nullptr, "Print Setup Files (*.psu)\0*.psu\0", "psu", "printsetup.psu", SetupsFolder()});
  if (file.empty()) return;
  if (!SavePrintSetupFile(file, g_settings.batchPrint))
    ::MessageBoxA(Handle(), ("The print setup could not be saved as\n" + file).c_str(), MessageCaption(),
                  MB_OK | MB_ICONEXCLAMATION);
  RefreshList();
}

void CBPSaveLoadPP::DeleteSetup() {
  const HWND list = Item(IDC_BP_SETUP_LIST);
  const int item = ListView_GetNextItem(list, -1, LVNI_SELECTED);
  if (item < 0) return;
  // The shell's operation takes a list ending in two NULs.
  std::string path = SetupsFolder() + "\\" + ItemTextOf(list, item);
  path.push_back('\0');
  SHFILEOPSTRUCTA operation = {};
  operation.hwnd = Handle();
  operation.wFunc = FO_DELETE;
  operation.pFrom = path.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT;
  ::SHFileOperationA(&operation);
  RefreshList();
}

bool CBPSaveLoadPP::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return PropertyPage::OnCommand(id, code);
  if (id == IDC_BP_SAVE_SETUP) SaveSetup();
  else if (id == IDC_BP_DELETE_SETUP) DeleteSetup();
  else return PropertyPage::OnCommand(id, code);
  return true;
}

bool CBPSaveLoadPP::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_NOTIFY) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == IDC_BP_SETUP_LIST && header->code == NM_CLICK) {
      const int item = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
      if (item >= 0) Load(item);
      result = 0;
      return true;
    }
  }
  return BatchPrintPage::OnMessage(message, wParam, lParam, result);
}
