// The main frame's slideshow commands and Create Collage Image, on the thumbnail view's files.
#include "collage_wnd.h"
#include "command_ids.h"
#include "main_frame.h"
#include "app_settings.h"
#include "program_state.h"
#include "vireldan_view.h"

void CMainFrame::OnSlideShowCommand(UINT id) {
  switch (id) {
    case ID_SLIDESHOW_PLAY:
      if (CVireldanView* view = g_program.thumbnailView)
        slideShow_.Start(view->Items(), view->ShowsPlainFolder(), view->Folder());
      break;
    case ID_SLIDESHOW_PAUSE: slideShow_.Pause(); break;
    case ID_SLIDESHOW_NEXT:
      if (g_settings.slideShow.onkey) slideShow_.Next();
      break;
    default: break;
  }
}

void CMainFrame::OnCreateCollage(UINT) {
  CVireldanView* view = g_program.thumbnailView;
  if (!view) return;
  std::vector<std::string> paths;
  for (CThumbItem* item = view->Items().GetFirstSelected(); item; item = view->Items().GetNextSelected())
    paths.push_back(item->folder + item->name);
  if (!paths.empty()) CCollageWnd::Open(Handle(), paths);
}
