// Thumbwell's start: the settings Vireldan keeps (one store for both programs), then the dialog,
// with which the program ends.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>

#include <memory>
#include <string>

#include "app.h"
#include "app_settings.h"
#include "program_profile.h"
#include "thumbwell_dlg.h"

namespace {

std::string DesktopFolder() {
  char desktop[MAX_PATH] = "C:\\windows\\desktop";
  LPITEMIDLIST list = nullptr;
  if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOPDIRECTORY, &list)) && list) {
    ::SHGetPathFromIDListA(list, desktop);
    ::CoTaskMemFree(list);
  }
  return desktop;
}

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length < MAX_PATH ? length : 0);
  return folder.substr(0, folder.find_last_of('\\') == std::string::npos ? 0 : folder.find_last_of('\\'));
}

class CThumbwellApp : public App {
 protected:
  bool InitInstance() override {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    oleReady_ = SUCCEEDED(::OleInitialize(nullptr));
    std::unique_ptr<Profile> profile = OpenProgramProfile();
    CAppSettings settings;
    settings.Load(*profile, SettingsEnvironment{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                                                ProgramFolder()});
    const std::string desktop = DesktopFolder();
    CThumbwellDlg dialog(TncOptionsFrom(settings, desktop), desktop);
    dialog.DoModal(nullptr);
    return false;
  }

  int ExitInstance(int exitCode) override {
    if (oleReady_) ::OleUninitialize();
    return exitCode;
  }

 private:
  bool oleReady_ = false;
};

CThumbwellApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int showCommand) {
  return theApp.Run(commandLine, showCommand);
}
