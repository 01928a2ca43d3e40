#pragma once
// A user at the system's save dialog (opened on another thread): reads what it proposes, types a
// name and saves, or cancels; a question whether to replace a file is answered Yes.
#include <windows.h>

#include <string>
#include <vector>

struct SaveDialogView {
  std::string proposedName;
  std::vector<std::string> types;
};

// path empty: Cancel. False when no save dialog came.
bool AnswerSaveDialog(const std::string& path, SaveDialogView* view = nullptr, DWORD milliseconds = 30000);
// The same with a dialog already found (also one of another process).
bool AnswerSaveDialogWindow(HWND dialog, const std::string& path, SaveDialogView* view = nullptr);

// Saves under path and answers the question whether to replace a file with the button (after No
// the dialog, still up, is cancelled); the question's text, or "(no question)" when none came.
std::string SaveAnsweringReplace(const std::string& path, int button, DWORD milliseconds = 30000);
