// The main frame's commands on one picture: opening a file in an image window, and the front image
// window's or the one selected file's Save As, Print and wallpaper.
#include "command_ids.h"
#include "desktop_wallpaper.h"
#include "image_window_entry_points.h"
#include "image_wnd.h"
#include "main_frame.h"
#include "open_picture_dlg.h"
#include "panes.h"

CImageWnd* CMainFrame::FrontImageWindow() const {
  return imageWindows_.empty() ? nullptr : dynamic_cast<CImageWnd*>(Window::FromHandle(imageWindows_.front()));
}

void CMainFrame::OnFileOpen(UINT id) {
  std::string path;
  if (!AskPictureToOpen(Handle(), path)) return;
  const size_t slash = path.find_last_of('\\');
  if (slash == std::string::npos) return;
  OpenImageWindow(path.substr(0, slash + 1), path.substr(slash + 1), id == ID_FILE_OPEN_ONE_TO_ONE ? 1 : 2, false);
}

void CMainFrame::OnSaveAs(UINT) {
  if (CImageWnd* window = FrontImageWindow()) window->SaveAs();
}

void CMainFrame::OnUpdateSaveAs(CommandState& state) { state.enabled = FrontImageWindow() != nullptr; }

// The front image window prints its picture; without one, the one selected file prints.
void CMainFrame::OnPrint(UINT) {
  if (CImageWnd* window = FrontImageWindow()) {
    window->OnEditCommand(ID_FILE_PRINT);
    return;
  }
  std::string path;
  if (SingleSelectedThumbnailPath(path)) PrintImageFile(path);
}

// The toolbar's button is Print for one selected file, and the batch print sheet for any other
// selection.
void CMainFrame::OnToolbarPrint(UINT) {
  std::string path;
  if (SingleSelectedThumbnailPath(path))
    OnPrint(ID_FILE_PRINT);
  else
    OnBatchPrint(ID_BATCH_PRINT);
}

void CMainFrame::OnUpdatePrint(CommandState& state) {
  std::string path;
  state.enabled = FrontImageWindow() != nullptr || SingleSelectedThumbnailPath(path);
}

void CMainFrame::OnSaveWallpaper(UINT) {
  std::string path;
  if (SingleSelectedThumbnailPath(path)) MakeDesktopWallpaperOfFile(Handle(), path);
}

void CMainFrame::OnUpdateSaveWallpaper(CommandState& state) {
  std::string path;
  state.enabled = SingleSelectedThumbnailPath(path);
}
