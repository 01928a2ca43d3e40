#include "save_image_as.h"

#include "app.h"
#include "fs_options_ps.h"
#include "picture_file_dialog.h"
#include "save_image_dialog_rules.h"
#include "wait_cursor.h"

bool SaveOptionsAsked() { return ::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_SHIFT) < 0; }

SaveAsOutcome SaveImageAs(HWND owner, Cimage& picture, const std::string& fileName, bool optionsAsked,
                          std::string& savedPath) {
  std::string path;
  if (!AskPictureFile(owner, true, kSaveImageFilter, NameWithoutExtension(fileName),
                      OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST, path))
    return SaveAsOutcome::kCancelled;
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
