#include "thumbwell_dlg.h"

#include "Cimage.h"
#include "ascii_text.h"
#include "folder_drive.h"
#include "shell_path_rules.h"
#include "thumbwell_resource.h"

namespace {

platform::DriveInfo DriveInfoOf(const std::string& folder) {
  const FolderDrive drive = DriveOfFolder(folder);
  return platform::DriveInfo{int(drive.type), drive.label};
}

}  // namespace

CThumbwellDlg::CThumbwellDlg(const TncOptions& options, const std::string& desktopFolder)
    : Dialog(IDD_THUMBWELL), options_(options), desktopFolder_(desktopFolder) {}

bool CThumbwellDlg::OnInitDialog() {
  HMENU systemMenu = ::GetSystemMenu(Handle(), FALSE);
  char about[100] = {};
  if (systemMenu && ::LoadStringA(::GetModuleHandleA(nullptr), IDS_ABOUT_THUMBWELL, about, sizeof about)) {
    ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(systemMenu, MF_STRING, IDM_ABOUT_THUMBWELL, about);
  }
  HINSTANCE module = ::GetModuleHandleA(nullptr);
  icon_ = HICON(::LoadImageA(module, MAKEINTRESOURCEA(IDI_THUMBWELL), IMAGE_ICON, 32, 32, 0));
  smallIcon_ = HICON(::LoadImageA(module, MAKEINTRESOURCEA(IDI_THUMBWELL), IMAGE_ICON, 16, 16, 0));
  ::SendMessageA(Handle(), WM_SETICON, ICON_BIG, LPARAM(icon_));
  ::SendMessageA(Handle(), WM_SETICON, ICON_SMALL, LPARAM(smallIcon_));
  tree_.Subclass(Item(IDC_FOLDER_TREE));
  tree_.SetDesktopPath(desktopFolder_);
  tree_.InitialFill();
  tree_.SelectNearestPath("C:\\");
  SetItemText(IDC_BUILD_PATH, "");
  SetItemText(IDC_BUILD_FILE, "");
  return true;
}

bool CThumbwellDlg::OnCommand(int id, int code) {
  if (id == IDC_BUILD_CACHE && code == BN_CLICKED) {
    OnBuildCache();
    return true;
  }
  return Dialog::OnCommand(id, code);
}

// Escape and the close box while a build runs stop it; the window closes once the walk has
// returned (at its next file), so no cache is left half made.
void CThumbwellDlg::OnCancel() {
  if (running_) {
    closeAfterBuild_ = true;
    SetRunning(false);
    return;
  }
  Dialog::OnCancel();
}

bool CThumbwellDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != IDM_ABOUT_THUMBWELL) return false;
      Dialog(IDD_THUMBWELL_ABOUT).DoModal(Handle());
      result = 0;
      return true;
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (!data || data->dwData != kSelectFolderCopyData || running_) return false;
      const std::string folder(static_cast<const char*>(data->lpData), data->cbData);
      tree_.SelectNearestPath(folder);
      // Only the folder itself counts: a build from one of its parents would reach far more.
      result = platform::AsciiUpper(WithoutTrailingBackslash(tree_.GetSelectedPath())) ==
               platform::AsciiUpper(WithoutTrailingBackslash(folder));
      return true;
    }
    case WM_PAINT:
      if (!::IsIconic(Handle()) || !icon_) return false;
      PaintIcon();
      result = 0;
      return true;
    case WM_DESTROY:
      if (icon_) ::DestroyIcon(icon_);
      if (smallIcon_) ::DestroyIcon(smallIcon_);
      icon_ = smallIcon_ = nullptr;
      return false;
    default: return false;
  }
}

// A minimised dialog has no frame of its own to show what it is: its icon, centred.
void CThumbwellDlg::PaintIcon() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(Handle(), &paint);
  ::SendMessageA(Handle(), WM_ICONERASEBKGND, WPARAM(dc), 0);
  RECT client;
  ::GetClientRect(Handle(), &client);
  ::DrawIcon(dc, (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2,
             (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2, icon_);
  ::EndPaint(Handle(), &paint);
}

void CThumbwellDlg::SetRunning(bool running) {
  running_ = running;
  ::EnableWindow(Item(IDOK), !running);
  SetItemText(IDC_BUILD_CACHE, running ? "Stop!" : "Build cache");
}

void CThumbwellDlg::OnBuildCache() {
  if (running_) {
    SetRunning(false);
    return;
  }
  std::string folder = tree_.GetSelectedPath();
  if (folder.empty()) return;
  SetRunning(true);
  const CacheBuildReport report = BuildCaches(folder, options_, DriveInfoOf, *this);
  SetRunning(false);
  SetItemText(IDC_BUILD_FILE, "");
  SetItemText(IDC_BUILD_PATH, CacheBuildSummary(report));
  if (closeAfterBuild_) Dialog::OnCancel();
}

// The build runs in this thread: between files the window handles what waits (Stop among it).
void CThumbwellDlg::PumpMessages() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(int(message.wParam));
      running_ = false;
      return;
    }
    if (!::IsDialogMessageA(Handle(), &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
}

void CThumbwellDlg::FolderStarted(const std::string& folder) {
  SetItemText(IDC_BUILD_PATH, folder);
  PumpMessages();
}

void CThumbwellDlg::FileStarted(const std::string& name) {
  PumpMessages();
  SetItemText(IDC_BUILD_FILE, name);
}

void CThumbwellDlg::ThumbnailMade(Cimage& image) {
  HWND preview = Item(IDC_BUILD_PREVIEW);
  RECT area;
  ::GetClientRect(preview, &area);
  HDC dc = ::GetDC(preview);
  ::FillRect(dc, &area, HBRUSH(::GetStockObject(WHITE_BRUSH)));
  image.DisplayImage(dc, (area.right - image.m_width) / 2, (area.bottom - image.m_height) / 2);
  ::ReleaseDC(preview, dc);
}
