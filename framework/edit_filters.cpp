#include "edit_filters.h"

#include "edit_char_rules.h"

namespace {

// The text that stays when the typed character replaces the selection.
std::string TextOutsideSelection(HWND edit, const std::string& text) {
  DWORD start = 0, end = 0;
  ::SendMessageA(edit, EM_GETSEL, WPARAM(&start), LPARAM(&end));
  if (start > end || end > text.size()) return text;
  return text.substr(0, start) + text.substr(end);
}

// True when the character goes on to the control.
bool Admit(CharVerdict verdict) {
  if (verdict == CharVerdict::kDropWithBeep) ::MessageBeep(MB_ICONEXCLAMATION);
  return verdict == CharVerdict::kPass;
}

}  // namespace

LRESULT CPathCharEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR && !Admit(PathCharVerdict(char(wParam)))) return 0;
  return Window::WndProc(message, wParam, lParam);
}

LRESULT CFileNameEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR && !Admit(FileNameCharVerdict(char(wParam), TextOutsideSelection(Handle(), GetText()))))
    return 0;
  return Window::WndProc(message, wParam, lParam);
}
