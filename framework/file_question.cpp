#include "file_question.h"

#include <algorithm>

namespace {

std::string Ask(HWND owner, const FileQuestion& question, DWORD flags, BOOL(WINAPI* ask)(OPENFILENAMEA*)) {
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
  dialog.Flags = flags | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
  return ask(&dialog) ? std::string(file) : std::string();
}

}  // namespace

std::string AskFileToOpen(HWND owner, const FileQuestion& question) {
  return Ask(owner, question, OFN_FILEMUSTEXIST | OFN_LONGNAMES, ::GetOpenFileNameA);
}

std::string AskFileToSave(HWND owner, const FileQuestion& question, DWORD flags) {
  return Ask(owner, question, flags | OFN_OVERWRITEPROMPT, ::GetSaveFileNameA);
}
