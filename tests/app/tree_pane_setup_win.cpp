#include "tree_pane_setup_win.h"

#include "app_settings.h"
#include "dir_tree_view.h"
#include "program_state.h"

void SetTreePaneGlobals(const std::string& desktopFolder) {
  g_program.desktopFolder = desktopFolder;
  g_program.screenSaverBase = "C:\\Program Files\\Vireldan\\vnsaver";
  g_program.screenSaverFile = "C:\\Program Files\\Vireldan\\vnsaver.scr";
  g_program.openFolderFlag = 0;
  g_settings.fileOptions.usehomedir = 0;
}

bool CreateTreePaneWindow(Window& host, CDirTreeView& pane) {
  if (!host.Create(0, "Folder tree pane", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 420, 640, nullptr, nullptr) ||
      !pane.Create(host.Handle(), 0xE900))
    return false;
  ::MoveWindow(pane.Handle(), 0, 0, 400, 600, TRUE);
  return true;
}
