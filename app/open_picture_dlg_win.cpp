#include "open_picture_dlg.h"

#include <commdlg.h>

#include "save_image_dialog_rules.h"

namespace {

const char kOpenPictureFilter[] =
    "Image Files|*.jpg;*.jpeg;*.gif;*.tif;*.png;*.bmp;*.psd;*.pcx|JPEG Files (*.jpg;*.jpeg)|*.jpg;*.jpeg|GIF Files "
    "(*.gif)|*.gif|BMP Files (*.bmp)|*.bmp|TIF Files (*.tif)|*.tif|PNG Files (*.png)|*.png|Photoshop Files "
    "(*.psd)|*.psd|PCX Files (*.pcx)|*.pcx||";

}  // namespace

bool AskPictureToOpen(HWND owner, std::string& path) {
  char folder[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, folder);
  char chosen[MAX_PATH] = {};
  const std::string filter = DialogFilter(kOpenPictureFilter);
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = chosen;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrInitialDir = folder;
  dialog.lpstrDefExt = kSaveImageDefaultExtension;
  dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_LONGNAMES | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                 OFN_EXPLORER;
  if (!::GetOpenFileNameA(&dialog)) return false;
  path = chosen;
  return true;
}
