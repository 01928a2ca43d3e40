#include "batch_process_ps.h"

#include <commctrl.h>
#include <shellapi.h>

#include <climits>

#include "app_settings.h"
#include "batch_rules.h"
#include "choose_dir_dlg.h"
#include "current_folders.h"
#include "file_question.h"
#include "file_system.h"
#include "private_messages.h"
#include "resource.h"

BatchWorkList g_batchWorkList;

const char kImageFileFilter[] =
    "Image Files\0*.jpg;*.jpeg;*.gif;*.tif;*.png;*.bmp;*.psd;*.pcx\0JPEG Files (*.jpg;*.jpeg)\0*.jpg;*.jpeg\0"
    "GIF Files (*.gif)\0*.gif\0BMP Files (*.bmp)\0*.bmp\0TIF Files (*.tif)\0*.tif\0PNG Files (*.png)\0*.png\0"
    "Photoshop Files (*.psd)\0*.psd\0PCX Files (*.pcx)\0*.pcx\0";

namespace {

constexpr int kPathLength = 259;

// The open-file dialog of the Choose buttons; empty when the user cancels.
std::string ChooseImageFile(HWND owner, const std::string& initial) {
  return AskFileToOpen(owner, {nullptr, kImageFileFilter, "jpg", initial, CurrentDirectory()});
}

std::vector<std::string> DroppedFiles(HDROP drop) {
  std::vector<std::string> files;
  const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    char path[MAX_PATH] = {};
    if (::DragQueryFileA(drop, i, path, MAX_PATH)) files.push_back(path);
  }
  return files;
}

}  // namespace

// Input.

CBatchInputPP::CBatchInputPP(const BatchSheetHooks& hooks) : PropertyPage(IDD_BATCH_INPUT), hooks_(hooks) {}

bool CBatchInputPP::OnInitDialog() {
  const HWND list = Item(IDC_BATCH_LIST);
  RECT client = {};
  ::GetClientRect(list, &client);
  LVCOLUMNA column = {};
  column.mask = LVCF_WIDTH | LVCF_TEXT;
  column.cx = client.right - ::GetSystemMetrics(SM_CXVSCROLL) - 1;
  column.pszText = const_cast<char*>("");
  ListView_InsertColumn(list, 0, &column);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  if (hooks_.viewFiles) AddRows(hooks_.viewFiles(true));
  return PropertyPage::OnInitDialog();
}

std::vector<std::string> CBatchInputPP::Rows() const {
  std::vector<std::string> rows;
  const HWND list = Item(IDC_BATCH_LIST);
  const int count = ListView_GetItemCount(list);
  for (int i = 0; i < count; ++i) {
    char text[MAX_PATH + 1] = {};
    ListView_GetItemText(list, i, 0, text, sizeof text);
    rows.push_back(text);
  }
  return rows;
}

void CBatchInputPP::AddRows(const std::vector<std::string>& rows) {
  const HWND list = Item(IDC_BATCH_LIST);
  for (const std::string& row : rows) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = ListView_GetItemCount(list);
    item.pszText = const_cast<char*>(row.c_str());
    ListView_InsertItem(list, &item);
  }
  Changed();
}

void CBatchInputPP::SetRows(const std::vector<std::string>& rows) {
  ListView_DeleteAllItems(Item(IDC_BATCH_LIST));
  AddRows(rows);
}

void CBatchInputPP::Changed() { ::InvalidateRect(::GetParent(Handle()), nullptr, TRUE); }

bool CBatchInputPP::OnCommand(int id, int code) {
  const HWND list = Item(IDC_BATCH_LIST);
  switch (id) {
    case IDC_BATCH_CLEAR_ALL:
      SetRows({});
      return true;
    case IDC_BATCH_ADD_FOLDER:
    case IDC_BATCH_ADD_SELECTED:
      if (hooks_.viewFiles) AddRows(hooks_.viewFiles(id == IDC_BATCH_ADD_SELECTED));
      return true;
    case IDC_BATCH_CLEAR_SELECTED:
      for (int i = ListView_GetItemCount(list) - 1; i >= 0; --i)
        if (ListView_GetItemState(list, i, LVIS_SELECTED)) ListView_DeleteItem(list, i);
      Changed();
      return true;
    case IDC_BATCH_NO_DUPLICATES: {
      std::vector<std::string> rows = Rows();
      RemoveDuplicateRows(rows);
      SetRows(rows);
      return true;
    }
    default:
      return PropertyPage::OnCommand(id, code);
  }
}

// Output.

CBatchOutputPP::CBatchOutputPP(const BatchSheetHooks& hooks) : PropertyPage(IDD_BATCH_OUTPUT), hooks_(hooks) {}

void CBatchOutputPP::DoDataExchange(DataExchange& exchange) {
  auto& resize = g_settings.batchResize;
  exchange.Text(IDC_BATCH_PATH, resize.batchpath, kPathLength);
  exchange.Radio(IDC_BATCH_FORMAT, resize.format);
  exchange.Int(IDC_BATCH_QUALITY, resize.quality, INT_MIN, INT_MAX);
  exchange.Check(IDC_BATCH_COLORMAP, resize.colormap);
  exchange.Check(IDC_BATCH_DITHER, resize.dither);
  exchange.Check(IDC_BATCH_ORIGINAL_QUALITY, resize.originalQuality);
}

bool CBatchOutputPP::OnCommand(int id, int code) {
  switch (id) {
    case IDC_BATCH_CHOOSE: {
      CChooseDirDlg choose(ItemText(IDC_BATCH_PATH));
      if (choose.DoModal(Handle()) == IDOK) SetItemText(IDC_BATCH_PATH, choose.path);
      return true;
    }
    case IDC_BATCH_CURRENT_FOLDER:
      SetItemText(IDC_BATCH_PATH, CurrentDirectory());
      return true;
    case IDC_BATCH_NEW_FOLDER: {
      const std::string folder = CurrentDirectory() + "\\Batch";
      if (!platform::MakeFolder(folder) && platform::KindOfPath(folder) != platform::PathKind::kDirectory) {
        ::MessageBoxA(Handle(), ("The folder " + folder + " could not be made").c_str(), nullptr, MB_OK | MB_ICONERROR);
        return true;
      }
      if (hooks_.folderMade) hooks_.folderMade();
      SetItemText(IDC_BATCH_PATH, folder);
      return true;
    }
    default:
      return PropertyPage::OnCommand(id, code);
  }
}

// Size.

CBatchSizePP::CBatchSizePP() : PropertyPage(IDD_BATCH_SIZE) {}

void CBatchSizePP::DoDataExchange(DataExchange& exchange) {
  auto& resize = g_settings.batchResize;
  exchange.Radio(IDC_BATCH_TARGET_SIZE, resize.targetsize);
  exchange.Int(IDC_BATCH_CUSTOM_WIDTH, resize.customwidth, INT_MIN, INT_MAX);
  exchange.Int(IDC_BATCH_CUSTOM_HEIGHT, resize.customheight, INT_MIN, INT_MAX);
  exchange.Radio(IDC_BATCH_OVERFILL, resize.overfill);
}

// Overlay and Border.

BatchPicturePage::BatchPicturePage(int templateId, int fileEdit, int colorBox, int& color)
    : PropertyPage(templateId), fileEdit_(fileEdit), colorBox_(colorBox), color_(color) {}

bool BatchPicturePage::OnInitDialog() {
  box_.Subclass(Item(colorBox_));
  box_.CreateSwatch(COLORREF(color_), false);
  return PropertyPage::OnInitDialog();
}

void BatchPicturePage::DoDataExchange(DataExchange& exchange) {
  if (exchange.Saving() && box_.HasSwatch()) color_ = int(box_.GetColor());
}

bool BatchPicturePage::OnCommand(int id, int code) {
  if (id != IDC_BATCH_CHOOSE) return PropertyPage::OnCommand(id, code);
  const std::string chosen = ChooseImageFile(Handle(), ItemText(fileEdit_));
  if (!chosen.empty()) SetItemText(fileEdit_, chosen);
  return true;
}

CBatchOverlayPP::CBatchOverlayPP()
    : BatchPicturePage(IDD_BATCH_OVERLAY, IDC_BATCH_OVERLAY_FILE, IDC_BATCH_TRANSPARENT_COLOR,
                       g_settings.batchResize.transparent) {}

void CBatchOverlayPP::DoDataExchange(DataExchange& exchange) {
  auto& resize = g_settings.batchResize;
  exchange.Text(IDC_BATCH_OVERLAY_FILE, resize.overimg, kPathLength);
  exchange.Check(IDC_BATCH_USE_OVERLAY, resize.useoverlay);
  exchange.Radio(IDC_BATCH_OVERLAY_ROW, resize.overposy);
  exchange.Radio(IDC_BATCH_OVERLAY_COLUMN, resize.overposx);
  exchange.Check(IDC_BATCH_USE_TRANSPARENCY, resize.notrans);
  BatchPicturePage::DoDataExchange(exchange);
}

CBatchBorderPP::CBatchBorderPP()
    : BatchPicturePage(IDD_BATCH_BORDER, IDC_BATCH_BORDER_FILE, IDC_BATCH_BORDER_COLOR,
                       g_settings.batchResize.bordercolor) {}

void CBatchBorderPP::DoDataExchange(DataExchange& exchange) {
  auto& resize = g_settings.batchResize;
  exchange.Text(IDC_BATCH_BORDER_FILE, resize.borderimg, kPathLength);
  exchange.Check(IDC_BATCH_USE_BORDER_IMAGE, resize.useborderimg);
  exchange.Check(IDC_BATCH_SOLID_BORDER, resize.border);
  exchange.Int(IDC_BATCH_BORDER_WIDTH, resize.bordsizx, INT_MIN, INT_MAX);
  exchange.Int(IDC_BATCH_BORDER_HEIGHT, resize.bordsizy, INT_MIN, INT_MAX);
  exchange.Radio(IDC_BATCH_BORDER_EDGE, resize.bordedge);
  exchange.Check(IDC_BATCH_MATCH_COLOR, resize.bordmatch);
  BatchPicturePage::DoDataExchange(exchange);
}

// The two kinds of border exclude each other.
bool CBatchBorderPP::OnCommand(int id, int code) {
  if ((id == IDC_BATCH_USE_BORDER_IMAGE || id == IDC_BATCH_SOLID_BORDER) && code == BN_CLICKED) {
    if (::IsDlgButtonChecked(Handle(), id) == BST_CHECKED)
      ::CheckDlgButton(Handle(), id == IDC_BATCH_SOLID_BORDER ? IDC_BATCH_USE_BORDER_IMAGE : IDC_BATCH_SOLID_BORDER,
                       BST_UNCHECKED);
    return true;
  }
  return BatchPicturePage::OnCommand(id, code);
}

// The sheet.

CBatchProcessPS::CBatchProcessPS(BatchSheetHooks hooks)
    : ModelessPropertySheet("Batch process images"),
      hooks_(std::move(hooks)),
      input_(hooks_),
      output_(hooks_),
      bevel_(1) {
  for (PropertyPage* page :
       std::initializer_list<PropertyPage*>{&input_, &output_, &size_, &overlay_, &border_, &bevel_})
    AddPage(page);
}

bool CBatchProcessPS::Create(HWND owner) {
  owner_ = owner;
  return ModelessPropertySheet::Create(owner);
}

void CBatchProcessPS::OnInitialized() {
  RECT area = {};
  ::GetWindowRect(Handle(), &area);
  ::InflateRect(&area, 2, 30);
  ::MoveWindow(Handle(), area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  AddButton("Save Setup", IDC_BATCH_SAVE_SETUP, 10, 120);
  AddButton("Process Now", IDC_BATCH_PROCESS_NOW, 120, client.right - 10);
  ::DragAcceptFiles(Handle(), TRUE);
  CenterOnWorkArea();
}

void CBatchProcessPS::AddButton(const char* text, int id, int left, int right) {
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  const HWND button = ::CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, left,
                                        client.bottom - 29, right - left, 27, Handle(),
                                        reinterpret_cast<HMENU>(INT_PTR(id)), ::GetModuleHandleA(nullptr), nullptr);
  ::SendMessageA(button, WM_SETFONT, WPARAM(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
}

bool CBatchProcessPS::StoreAndClose() {
  SetActiveIndex(kOutput);
  if (!Apply()) return false;
  Close();
  return true;
}

bool CBatchProcessPS::OnSheetCommand(int id) {
  switch (id) {
    case IDC_BATCH_SAVE_SETUP:
      StoreAndClose();
      return true;
    case IDC_BATCH_PROCESS_NOW: {
      g_batchWorkList = BatchWorkList(PageWindow(kInput) ? input_.Rows() : std::vector<std::string>());
      if (StoreAndClose()) ::PostMessageA(owner_, WM_BATCH_START, 0, 0);
      return true;
    }
    default:
      return false;
  }
}

void CBatchProcessPS::OnDropFiles(HDROP drop) {
  const std::vector<std::string> files = DroppedFiles(drop);
  if (files.empty()) return;
  switch (ActiveIndex()) {
    case kInput:
      input_.AddRows(files);
      break;
    case kOverlay:
      overlay_.SetFile(files.front());
      break;
    case kBorder:
      border_.SetFile(files.front());
      break;
    default:
      break;
  }
}

void CBatchProcessPS::OnClosed() { ::PostMessageA(owner_, WM_BATCHSHEET_CLOSED, 0, 0); }
