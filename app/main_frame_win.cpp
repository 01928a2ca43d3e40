#include "main_frame.h"

#include <commctrl.h>

#include <dde.h>

#include <algorithm>

#include "app_settings.h"
#include "batch_print_ps.h"
#include "batch_process_ps.h"
#include "batch_progress_dlg.h"
#include "device_change.h"
#include "favorites_dlg.h"
#include "folder_drive.h"
#include "full_screen_wnd.h"
#include "image_load.h"
#include "panes.h"
#include "preview_wnd.h"
#include "private_messages.h"
#include "program_state.h"
#include "quick_web_run.h"
#include "resource.h"
#include "vireldan_app.h"

int CMainFrame::s_frameOverheadWidth = 0;
int CMainFrame::s_frameOverheadHeight = 0;

namespace {

constexpr int kCaptureHotkey = 256;
constexpr UINT kOuterSplitterId = 0xE900;

// Hot-key control modifier bits (Shift 1, Ctrl 2, Alt 4) as RegisterHotKey wants them.
UINT HotkeyModifiers(unsigned controlBits) {
  return ((controlBits & 1) ? MOD_SHIFT : 0) | ((controlBits & 2) ? MOD_CONTROL : 0) | ((controlBits & 4) ? MOD_ALT : 0);
}

// The window's own close, which asks before a modified picture goes; true when it went.
bool CloseImageWindow(HWND window) {
  ::SendMessageA(window, WM_CLOSE, 0, 0);
  return !::IsWindow(window);
}

}  // namespace

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() {
  g_program.preview = nullptr;
  g_program.fullScreen = nullptr;
  if (keyMenu_ && keyMenu_ != ::GetMenu(Handle())) ::DestroyMenu(keyMenu_);
  if (mainMenu_ && mainMenu_ != ::GetMenu(Handle())) ::DestroyMenu(mainMenu_);
}

bool CMainFrame::Create() {
  auto& layout = g_settings.frameLayout;
  DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  if (g_program.openFileFlag || g_program.printFlag) style |= WS_MINIMIZE;
  if (layout.maximized) style |= WS_MAXIMIZE;
  const RECT area = {layout.left, layout.top, layout.right, layout.bottom};
  HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
  if (!CreateFrame("Vireldan", style, 0, area, IDR_MAINFRAME, IDR_MAINFRAME, icon)) return false;
  mainMenu_ = ::GetMenu(Handle());
  return true;
}

bool CMainFrame::OnCreateFrame() {
  if (g_settings.frameLayout.dirpaney < 10) g_settings.frameLayout.dirpaney = 100;
  if (!CreateBars() || !CreatePanes()) return false;
  // The program works without the full-screen window or a preview; nothing is shown in them then.
  auto fullScreen = std::make_unique<CFullScreenWnd>();
  if (fullScreen->Create()) {
    fullScreen_ = std::move(fullScreen);
    g_program.fullScreen = fullScreen_.get();
  }
  auto preview = std::make_unique<CPreviewWnd>();
  if (preview->Create(Handle())) {
    preview_ = std::move(preview);
    g_program.preview = preview_.get();
  }
  RegisterCaptureHotkey();
  OpenTwain();
  g_program.frameReady = 1;
  return true;
}

bool CMainFrame::CreateBars() {
  if (!Bar().Create(Handle(), kToolBarId, g_settings.preferences.flatbar != 0) || !Bar().Load(IDR_MAINFRAME))
    return false;
  if (!Status().Create(Handle(), kStatusBarId)) return false;
  const int quarter = ::GetSystemMetrics(SM_CXSCREEN) / 4;
  Status().SetPaneWidths({quarter, quarter});
  Status().SetPaneText(0, "Ready");
  return true;
}

bool CMainFrame::CreatePanes() {
  if (!outer_.CreateStatic(Handle(), 1, 2, kOuterSplitterId)) return false;
  if (!inner_.CreateStatic(outer_.Handle(), 2, 1, SplitterWindow::PaneId(0, 0), WS_CHILD | WS_VISIBLE | WS_BORDER))
    return false;
  outer_.inner = &inner_;
  if (!CreateThumbnailPane(outer_.Handle(), SplitterWindow::PaneId(0, 1), Handle()) ||
      !CreateFolderTreePane(inner_.Handle(), SplitterWindow::PaneId(0, 0)) ||
      !CreateKeyPane(inner_.Handle(), SplitterWindow::PaneId(1, 0)))
    return false;
  SetClient(outer_.Handle());
  MeasureFrameOverhead();

  RecalcLayout();
  RECT client = {};
  ::GetClientRect(outer_.Handle(), &client);
  int& left = g_settings.frameLayout.leftpane;
  if (left < 25) left = 30;
  if (client.right - 25 < left && client.right > 26) left = client.right - 25;
  outer_.SetColumnInfo(0, left, 20);
  inner_.SetRowInfo(0, g_settings.frameLayout.dirpaney, 20);
  inner_.ToggleKeyRow();  // the program always starts without the Key view
  ApplyFolderTreeOptions(g_settings.thumbnails.showhidden != 0, g_settings.thumbnails.showlinks != 0);
  return true;
}

void CMainFrame::MeasureFrameOverhead() {
  if (s_frameOverheadWidth) return;
  HWND probe = ::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
  RECT r = {};
  ::GetWindowRect(probe, &r);
  s_frameOverheadWidth = r.right - r.left;
  s_frameOverheadHeight = r.bottom - r.top;
  ::DestroyWindow(probe);
}

void CMainFrame::ActivateFrame(int showCommand) {
  if (g_program.openFileFlag || g_program.printFlag)
    showCommand = SW_SHOWMINIMIZED;
  else if (g_settings.frameLayout.maximized)
    showCommand = SW_SHOWMAXIMIZED;
  ::ShowWindow(Status().Handle(), g_settings.frameLayout.statusbar ? SW_SHOW : SW_HIDE);
  ::ShowWindow(Bar().Handle(), g_settings.frameLayout.toolbar ? SW_SHOW : SW_HIDE);
  ::ShowWindow(Handle(), showCommand);
  ::SetForegroundWindow(Handle());
  RecalcLayout();
}

void CMainFrame::SetStatusText(const std::string& text) {
  statusText_ = text;
  Status().SetPaneText(1, statusText_);
}

void CMainFrame::AppendStatusText(const std::string& text) { SetStatusText(statusText_ + text); }

void CMainFrame::SetStatusPane2(const std::string& text) { Status().SetPaneText(2, text); }

void CMainFrame::AddImageWindow(HWND window) {
  imageWindows_.insert(imageWindows_.begin(), window);
  const auto& frames = g_settings.pictureFrames;
  // The oldest window's own destruction removes it from the list; a modified one that the user
  // keeps stays beyond the limit.
  if (frames.dismissonmore && int(imageWindows_.size()) > frames.dismissonimages)
    CloseImageWindow(imageWindows_.back());
}

void CMainFrame::BringImageWindowFirst(HWND window) {
  const auto at = std::find(imageWindows_.begin(), imageWindows_.end(), window);
  if (at == imageWindows_.end() || at == imageWindows_.begin()) return;
  imageWindows_.erase(at);
  imageWindows_.insert(imageWindows_.begin(), window);
}

bool CMainFrame::CloseImageWindows() {
  for (HWND window : std::vector<HWND>(imageWindows_))
    if (::IsWindow(window) && !CloseImageWindow(window)) return false;
  return true;
}

void CMainFrame::RemoveImageWindow(HWND window) {
  const auto at = std::find(imageWindows_.begin(), imageWindows_.end(), window);
  if (at == imageWindows_.end()) return;
  imageWindows_.erase(at);
  if (imageWindows_.empty()) {
    ::BringWindowToTop(Handle());
    FocusThumbnailPane();
  }
}

void CMainFrame::UnregisterCaptureHotkey() { ::UnregisterHotKey(Handle(), kCaptureHotkey); }

void CMainFrame::RegisterCaptureHotkey() {
  UnregisterCaptureHotkey();
  const auto& capture = g_settings.capture;
  if (capture.enable) ::RegisterHotKey(Handle(), kCaptureHotkey, HotkeyModifiers(capture.kmod), capture.vkey);
}

void CMainFrame::ToggleLeftPane() { outer_.ToggleLeftColumn(); }

void CMainFrame::ToggleKeyView() {
  FocusThumbnailPane();
  inner_.ToggleKeyRow();
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  if (inner_.hidden) {
    if (!mainMenu_) mainMenu_ = ::LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    ::SetMenu(Handle(), mainMenu_);
    Bar().Load(IDR_MAINFRAME);
  } else {
    if (!keyMenu_) keyMenu_ = ::LoadMenuA(instance, MAKEINTRESOURCEA(IDR_KEYMENU));
    ::SetMenu(Handle(), keyMenu_);
    Bar().Load(IDR_KEYTOOLBAR);
  }
  RecalcLayout();
  if (g_program.favorites) g_program.favorites->RebuildMenu();
}

void CMainFrame::SaveLayout() {
  auto& layout = g_settings.frameLayout;
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  ::GetWindowPlacement(Handle(), &placement);
  layout.left = placement.rcNormalPosition.left;
  layout.top = placement.rcNormalPosition.top;
  layout.right = placement.rcNormalPosition.right;
  layout.bottom = placement.rcNormalPosition.bottom;
  // Hidden panes have no size to read: show them first.
  if (outer_.hidden) outer_.ToggleLeftColumn();
  if (inner_.hidden) inner_.ToggleKeyRow();
  int column = 0, outerRow = 0, treeRow = 0, keyRow = 0, minimum = 0;
  outer_.GetColumnInfo(0, column, minimum);
  RECT outerArea = {};
  ::GetClientRect(outer_.Handle(), &outerArea);
  outerRow = outerArea.bottom;
  inner_.GetRowInfo(0, treeRow, minimum);
  inner_.GetRowInfo(1, keyRow, minimum);
  if (outerRow < treeRow + keyRow) treeRow = outerRow - keyRow;
  layout.leftpane = column;
  layout.dirpaney = treeRow;
  layout.maximized = placement.showCmd == SW_SHOWMAXIMIZED || ::IsZoomed(Handle());
  layout.statusbar = ::IsWindowVisible(Status().Handle()) ? 1 : 0;
  layout.toolbar = ::IsWindowVisible(Bar().Handle()) ? 1 : 0;
}

// A disabled frame has a modal window of its own up (the options, a print job): a close sent
// from outside then would take the frame down under that window's code, so it is refused. A
// picture the user keeps open stops the exit before anything has been taken down.
void CMainFrame::OnClose() {
  if (!::IsWindowEnabled(Handle()) || !CloseImageWindows()) return;
  slideShow_.Stop();
  LetBatchWorkersEnd();
  LetQuickWebEnd();
  StopThumbnailLoader();
  SaveLayout();
  if (preview_) preview_->SavePlacement();
  ::ShowWindow(Handle(), SW_HIDE);
  if (g_program.favorites) g_program.favorites->Destroy();
  CloseSourceManager(Handle());
  UnloadSourceManager();
  ::UnregisterHotKey(Handle(), kCaptureHotkey);
  Destroy();
}

void CMainFrame::OnFolderChanged(const char* path) {
  std::string folder = path ? path : FolderTreeSelectedPath();
  if (path) SelectFolderInTree(path);
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  g_settings.mainOptions.mainpath = folder;
  ::SetCurrentDirectoryA(folder.c_str());
  g_program.previousFolder = g_program.currentFolder;
  g_program.currentFolder = folder;
  const FolderDrive drive = DriveOfFolder(folder);
  g_program.driveType = drive.type;
  g_program.volumeName = drive.label;
  SetStatusText(folder);
  ShowFolderInThumbnailPane(folder);
  RefreshKeyPane();
}

LRESULT CMainFrame::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DIR_CHANGED:
      OnFolderChanged(reinterpret_cast<const char*>(lParam));
      return 0;
    case WM_THUMB_READY:
      ThumbnailReadyInPane();
      return 0;
    case WM_PRINT_QUEUED:
      PrintQueuedFile();
      return 0;
    case WM_BATCH_START:
      OnBatchStart();
      return 0;
    case WM_BATCH_PROGRESS:
      OnBatchProgress(reinterpret_cast<char*>(wParam));
      return 0;
    case WM_BATCH_DONE:
      OnBatchDone();
      return 0;
    case WM_BATCHSHEET_CLOSED:
      OnBatchSheetClosed();
      return 0;
    case WM_QUICKWEB_DONE:
      OnQuickWebDone();
      return 0;
    case WM_BATCHPRINT_START:
      BatchPrintJob();
      return 0;
    case WM_BATCHPRINT_CLOSED:
      OnBatchPrintClosed();
      return 0;
    case WM_BATCHPRINT_FONT:
      OnChooseBatchPrintFont();
      return 0;
    case WM_SHOW_STARTUP_TIP:
      if (g_settings.mainOptions.tipson && !g_program.openFileFlag && !g_program.printFlag) OnShowTips(0);
      return 0;
    case WM_DEVICECHANGE:
      if (const DWORD units = ChangedVolumeUnits(wParam, lParam)) RefreshFolderTreeDrive(units);
      return TRUE;
    case WM_IMAGE_LOADED:
      // A picture whose window was gone when it arrived.
      TakeImageLoadRequest(lParam).reset();
      return 0;
    case WM_HOTKEY:
      if (wParam == kCaptureHotkey) CaptureScreen();
      return 0;
    case WM_DDE_INITIATE:
    case WM_DDE_EXECUTE:
    case WM_DDE_TERMINATE:
      return theApp.Dde().Handle(Handle(), message, wParam, lParam,
                                 [](const std::string& command) { return theApp.OnDDECommand(command); });
    case WM_DESTROY:
      ::UnregisterHotKey(Handle(), kCaptureHotkey);
      g_program.fullScreen = nullptr;
      if (fullScreen_) fullScreen_->Destroy();
      fullScreen_.reset();
      g_program.preview = nullptr;
      if (preview_) preview_->Destroy();
      preview_.reset();
      break;
    default:
      break;
  }
  return FrameWindow::WndProc(message, wParam, lParam);
}
