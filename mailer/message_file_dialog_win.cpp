#include "message_file_dialog_win.h"

#include <commdlg.h>

#include "message_file.h"

namespace {
// The dialog's own question would name what was typed ("report") while "report.txt" is written,
// so Save asks here, about the file written; No keeps the dialog up.
UINT_PTR CALLBACK AskBeforeReplacing(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != CDN_FILEOK) return 0;
  const std::string path = EnsureTxtExtension(reinterpret_cast<const OFNOTIFYA*>(lParam)->lpOFN->lpstrFile);
  if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return 0;
  const std::string question = path + " already exists.\nDo you want to replace it?";
  const bool replace =
      ::MessageBoxA(::GetParent(hook), question.c_str(), "Save As", MB_YESNO | MB_ICONWARNING) == IDYES;
  ::SetWindowLongPtrA(hook, DWLP_MSGRESULT, replace ? 0 : 1);
  return replace ? 0 : 1;
}
}  // namespace

bool ChooseMessageFile(HWND owner, bool save, std::string& path) {
  char name[MAX_PATH] = {}, folder[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, folder);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = "Text Files (*.txt)\0*.txt\0";
  dialog.lpstrFile = name;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrInitialDir = folder;
  dialog.Flags = OFN_EXPLORER | (save ? OFN_ENABLEHOOK : OFN_FILEMUSTEXIST);
  if (save) dialog.lpfnHook = AskBeforeReplacing;
  if (!(save ? ::GetSaveFileNameA(&dialog) : ::GetOpenFileNameA(&dialog))) return false;
  path = EnsureTxtExtension(name);
  return true;
}
