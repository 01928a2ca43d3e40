// What leaves the image window: saving under a new name (and the question before a modified
// picture closes), the desktop wallpaper, the clipboard and printing.
#include "app_settings.h"
#include "clipboard_copy.h"
#include "command_ids.h"
#include "desktop_wallpaper.h"
#include "dialog.h"
#include "frame_link.h"
#include "image_edit_rules.h"
#include "image_wnd.h"
#include "image_wnd_commands.h"
#include "panes.h"
#include "program_state.h"
#include "resource.h"
#include "save_image_as.h"
#include "save_image_dialog_rules.h"

namespace {

// The dialogs' Yes is OK.
bool AskYes(HWND owner, int templateId) { return Dialog(templateId).DoModal(owner) == IDOK; }

void RefreshThumbnails() {
  if (ThumbnailPaneWindow()) RefreshThumbnailPane();
}

void SaveAs(CImageWnd& window, UINT) { window.SaveAs(); }

void SaveWallpaper(CImageWnd& window, UINT) { MakeDesktopWallpaper(window.Handle(), window.image_); }

void CopyToClipboard(CImageWnd& window, UINT) { CopyPictureToClipboard(window.Handle(), window.image_); }

// A modified picture prints as it is now; otherwise the file prints.
void Print(CImageWnd& window, UINT) {
  window.interacted_ = true;
  if (!g_program.mainFrame) return;
  if (window.modified_)
    g_program.mainFrame->PrintImage(&window.image_);
  else
    g_program.mainFrame->PrintImageFile(window.FilePath());
}

const ImageWindowCommand kOutputCommands[] = {
    {ID_IMAGE_SAVE_AS, ID_IMAGE_SAVE_AS, SaveAs, nullptr},
    {ID_SAVE_WALLPAPER, ID_SAVE_WALLPAPER, SaveWallpaper, nullptr},
    {ID_COPY_TO_CLIPBOARD, ID_COPY_TO_CLIPBOARD, CopyToClipboard, nullptr},
    {ID_FILE_PRINT, ID_FILE_PRINT, Print, nullptr},
};

}  // namespace

const ImageWindowCommand* OutputCommandFor(UINT id) { return ImageWindowCommandFor(kOutputCommands, id); }

// The window takes the saved file's name and folder only once the file is written: a failed
// save leaves the window modified and showing its old name.
int CImageWnd::SaveAs() {
  interacted_ = true;
  const bool optionsAsked = SaveOptionsAsked();
  if ((holdsReduced_ || ShownReduced(!panZoom_, image_.m_scaleNum, image_.m_scaleDen, image_.m_origWidth)) &&
      !AskYes(Handle(), IDD_RESOLUTION_LOST))
    return 0;
  std::string saved;
  const SaveAsOutcome outcome = SaveImageAs(Handle(), image_, fileName_, optionsAsked, saved);
  if (outcome == SaveAsOutcome::kCancelled) RefreshThumbnails();
  if (outcome != SaveAsOutcome::kSaved) return 0;
  modified_ = false;
  fileName_ = FileNameOfPath(saved);
  folder_ = saved.substr(0, saved.size() - fileName_.size());
  path_ = saved;
  holdsReduced_ = false;  // the file now holds what the window does
  if (!panZoom_) {
    image_.m_origWidth = image_.m_width;
    image_.m_origHeight = image_.m_height;
    image_.m_scaleNum = image_.m_scaleDen = 1;
  }
  UpdateTitle();
  RefreshThumbnails();
  return 1;
}

// The question disables only this window: the main frame's Close All or exit can ask again
// meanwhile, and the window must not go while its own question or save is still running.
bool CImageWnd::ConfirmClose() {
  if (!modified_ || g_settings.preferences.dontconfirm) return true;
  if (askingToClose_) return false;
  askingToClose_ = true;
  const bool close = !AskYes(Handle(), IDD_SAVE_MODIFIED) || SaveAs() != 0;
  askingToClose_ = false;
  return close;
}
