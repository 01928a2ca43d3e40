// The main frame's commands on one picture: the front image window's, or the one selected file's.
#include "desktop_wallpaper.h"
#include "main_frame.h"
#include "panes.h"

void CMainFrame::OnSaveWallpaper(UINT) {
  std::string path;
  if (SingleSelectedThumbnailPath(path)) MakeDesktopWallpaperOfFile(Handle(), path);
}

void CMainFrame::OnUpdateSaveWallpaper(CommandState& state) {
  std::string path;
  state.enabled = SingleSelectedThumbnailPath(path);
}
