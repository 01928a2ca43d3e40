#include "save_image_as.h"

#include <commdlg.h>

#include "app.h"
#include "fs_options_ps.h"
#include "save_image_dialog_rules.h"
#include "wait_cursor.h"

namespace {

// The chosen path; false when the user cancelled.
bool AskSavePath(HWND owner, const std::string& fileName, std::string& path) {
  char folder[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, folder);
  char chosen[MAX_PATH] = {};
  lstrcpynA(chosen, NameWithoutExtension(fileName).c_str(), MAX_PATH);
  const std::string filter = DialogFilter(kSaveImageFilter);
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = chosen;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrInitialDir = folder;
  dialog.lpstrDefExt = kSaveImageDefaultExtension;
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!::GetSaveFileNameA(&dialog)) return false;
  path = chosen;
  return true;
}

}  // namespace

bool SaveOptionsAsked() { return ::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_SHIFT) < 0; }

SaveAsOutcome SaveImageAs(HWND owner, Cimage& picture, const std::string& fileName, bool optionsAsked,
                          std::string& savedPath) {
  std::string path;
  if (!AskSavePath(owner, fileName, path)) return SaveAsOutcome::kCancelled;
  if (!PrepareSave(owner, path, optionsAsked)) return SaveAsOutcome::kRefused;
  {
    WaitCursor wait;
    picture.SaveImage(path.c_str());
  }
  if (picture.m_saveError) {
    ::MessageBoxA(owner, kSaveErrorMessage, MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
    return SaveAsOutcome::kFailed;
  }
  savedPath = path;
  return SaveAsOutcome::kSaved;
}
