// The application's own commands: the About box, printer set-up, shell file types, the hot-key
// list, the favourites, and the help topics.
#include <windows.h>

#include "about_dlg.h"
#include "command_ids.h"
#include "hotkeys_dlg.h"
#include "program_help.h"
#include "program_state.h"
#include "shell_options.h"
#include "vireldan_app.h"

const CommandEntry<CVireldanApp> CVireldanApp::kCommands[] = {
    {ID_APP_ABOUT, ID_APP_ABOUT, &CVireldanApp::OnAbout, nullptr},
    {ID_PRINT_SETUP, ID_PRINT_SETUP, &CVireldanApp::OnPrintSetup, nullptr},
    {ID_SHELL_OPTIONS, ID_SHELL_OPTIONS, &CVireldanApp::OnShellOptions, nullptr},
    {ID_HOTKEYS, ID_HOTKEYS, &CVireldanApp::OnHotKeys, nullptr},
    {ID_USING_HELP, ID_USING_HELP, &CVireldanApp::OnHelpTopic, nullptr},
    {ID_WARRANTY, ID_WARRANTY, &CVireldanApp::OnHelpTopic, nullptr},
    {ID_FAVORITES_SHOW, ID_FAVORITES_SHOW, &CVireldanApp::OnFavorites, nullptr},
    {ID_FAVORITES_SHOW_MENU, ID_FAVORITES_SHOW_MENU, &CVireldanApp::OnFavorites, nullptr},
    {ID_FAVORITES_ADD, ID_FAVORITES_ADD, &CVireldanApp::OnFavorites, nullptr},
    {ID_FAVORITES_ADD_MENU, ID_FAVORITES_ADD_MENU, &CVireldanApp::OnFavorites, nullptr},
    {ID_FAVORITE_FIRST, ID_FAVORITE_LAST, &CVireldanApp::OnFavorites, nullptr},
};

bool CVireldanApp::Handles(UINT id) { return FindCommand(kCommands, id) != nullptr; }

bool CVireldanApp::OnCommand(UINT id) { return RunCommand(this, kCommands, id); }

bool CVireldanApp::OnUpdateCommand(CommandState& state) { return UpdateCommand(this, kCommands, state); }

void CVireldanApp::OnAbout(UINT) {
  CAboutDlg about;
  about.DoModal(MainWindow());
}

bool CVireldanApp::PrintSetupColour() { return printer_.RunSetupDialog(MainWindow()); }

void CVireldanApp::OnPrintSetup(UINT) { PrintSetupColour(); }

void CVireldanApp::OnShellOptions(UINT) { RunShellOptions(MainWindow()); }

void CVireldanApp::OnHelpTopic(UINT id) {
  ShowHelp(MainWindow(), HELP_CONTEXT, id == ID_USING_HELP ? kUsingHelpContext : kWarrantyContext);
}

void CVireldanApp::OnHotKeys(UINT) { CHotKeysDlg().DoModal(MainWindow()); }

void CVireldanApp::OnFavorites(UINT id) {
  CFavoritesDlg* favorites = g_program.favorites;
  if (!favorites) return;
  if (id == ID_FAVORITES_SHOW || id == ID_FAVORITES_SHOW_MENU)
    favorites->Toggle();
  else if (id == ID_FAVORITES_ADD || id == ID_FAVORITES_ADD_MENU)
    favorites->OnAdd();
  else
    favorites->GoToFavorite(int(id - ID_FAVORITE_FIRST));
}
