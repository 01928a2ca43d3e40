#pragma once
// The installer's dialog boxes: plain dialog procedures over the templates of unfurl.rc.
#include <windows.h>

#include <string>

struct InstallChoices {
  std::string target;
  bool startMenuLink = true;
  bool desktopLink = true;
};

// Each returns 1 for the dialog's OK button ("Accept", "Install", "REPLACE", "OK"), 0 for Cancel.
INT_PTR ShowAgreement();
INT_PTR ShowOptions(InstallChoices& choices);
INT_PTR ShowMessageDialog(int id);  // help, completion, replace and checksum dialogs

// A failure, in a message box captioned "Install error".
void ShowInstallError(const std::string& text);
