// The main frame's Auto Sort: the question, the view's sort, and the folder tree showing the
// subfolders it made.
#include "app.h"
#include "app_settings.h"
#include "main_frame.h"
#include "panes.h"

void CMainFrame::OnAutoSort(UINT) {
  if (::MessageBoxA(Handle(),
                    "This command will create sub-directories,\n and move your files into them based on the file "
                    "names.\n\nAre you sure you want to proceed?",
                    MessageCaption(), MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  AutoSortThumbnailPane();
  ::SetCurrentDirectoryA(g_settings.mainOptions.mainpath.c_str());
  RefreshFolderTree();
  ExpandFolderTreeSelection();
}
