#include "open_file_question.h"

#include <commdlg.h>

#include <algorithm>

std::string AskFileToOpen(HWND owner, const OpenFileQuestion& question) {
  char file[MAX_PATH] = {};
  question.name.copy(file, std::min<size_t>(question.name.size(), MAX_PATH - 1));
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = question.filter;
  dialog.lpstrFile = file;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrInitialDir = question.folder.c_str();
  dialog.lpstrTitle = question.title;
  dialog.lpstrDefExt = question.extension;
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_LONGNAMES | OFN_NOCHANGEDIR | OFN_EXPLORER;
  return ::GetOpenFileNameA(&dialog) ? std::string(file) : std::string();
}
