#include "picture_file_dialog.h"

#include <commdlg.h>

#include "save_image_dialog_rules.h"

bool AskPictureFile(HWND owner, bool save, const char* filter, const std::string& proposedName, DWORD flags,
                    std::string& path) {
  char folder[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, folder);
  char chosen[MAX_PATH] = {};
  lstrcpynA(chosen, proposedName.c_str(), MAX_PATH);
  const std::string types = DialogFilter(filter);
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = types.c_str();
  dialog.lpstrFile = chosen;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrInitialDir = folder;
  dialog.lpstrDefExt = kSaveImageDefaultExtension;
  dialog.Flags = flags | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!(save ? ::GetSaveFileNameA(&dialog) : ::GetOpenFileNameA(&dialog))) return false;
  path = chosen;
  return true;
}
