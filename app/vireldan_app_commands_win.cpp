// The application's own commands: the About box, printer set-up, shell file types, and the help,
// hot-key list and favourites commands, which are there before their own work arrives.
#include <windows.h>

#include "about_dlg.h"
#include "command_ids.h"
#include "hotkeys_dlg.h"
#include "shell_options.h"
#include "vireldan_app.h"

const CommandEntry<CVireldanApp> CVireldanApp::kCommands[] = {
    {ID_APP_ABOUT, ID_APP_ABOUT, &CVireldanApp::OnAbout, nullptr},
    {ID_PRINT_SETUP, ID_PRINT_SETUP, &CVireldanApp::OnPrintSetup, nullptr},
    {ID_SHELL_OPTIONS, ID_SHELL_OPTIONS, &CVireldanApp::OnShellOptions, nullptr},
    {ID_HOTKEYS, ID_HOTKEYS, &CVireldanApp::OnHotKeys, nullptr},
    {ID_USING_HELP, ID_USING_HELP, &CVireldanApp::OnNotYetAvailable, nullptr},
    {ID_WARRANTY, ID_WARRANTY, &CVireldanApp::OnNotYetAvailable, nullptr},
    {ID_FAVORITES_SHOW, ID_FAVORITES_SHOW, &CVireldanApp::OnNotYetAvailable, nullptr},
    {ID_FAVORITES_SHOW_MENU, ID_FAVORITES_SHOW_MENU, &CVireldanApp::OnNotYetAvailable, nullptr},
    {ID_FAVORITES_ADD, ID_FAVORITES_ADD, &CVireldanApp::OnNotYetAvailable, nullptr},
    {ID_FAVORITES_ADD_MENU, ID_FAVORITES_ADD_MENU, &CVireldanApp::OnNotYetAvailable, nullptr},
    {ID_FAVORITE_FIRST, ID_FAVORITE_LAST, &CVireldanApp::OnNotYetAvailable, nullptr},
};

bool CVireldanApp::OnCommand(UINT id) { return RunCommand(this, kCommands, id); }

bool CVireldanApp::OnUpdateCommand(CommandState& state) { return UpdateCommand(this, kCommands, state); }

void CVireldanApp::OnAbout(UINT) {
  CAboutDlg about;
  about.DoModal(MainWindow());
}

bool CVireldanApp::PrintSetupColour() { return printer_.RunSetupDialog(MainWindow()); }

void CVireldanApp::OnPrintSetup(UINT) { PrintSetupColour(); }

void CVireldanApp::OnShellOptions(UINT) { RunShellOptions(MainWindow()); }

void CVireldanApp::OnHotKeys(UINT) { CHotKeysDlg().DoModal(MainWindow()); }

void CVireldanApp::OnNotYetAvailable(UINT) {}
