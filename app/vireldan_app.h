#pragma once
// Vireldan's application object: the start-up sequence, idle steps, the shell's DDE commands,
// the file-type associations, and the order of shutdown.
#include <memory>
#include <string>

#include "app.h"
#include "favorites_dlg.h"
#include "dde_server.h"
#include "main_frame.h"
#include "printer_defaults.h"

class CVireldanApp : public App {
 public:
  // True when the class's command table has a handler for the command.
  static bool Handles(UINT id);
  CVireldanApp();
  ~CVireldanApp() override;

  // The shell's DDE commands ("open %1", "print %1"); true when the command was understood.
  bool OnDDECommand(const std::string& command);
  const DdeServer& Dde() const { return dde_; }

  PrinterDefaults& Printer() { return printer_; }
  // The main frame itself, for the program shell; views reach it through g_program.mainFrame.
  CMainFrame* Frame() const { return frame_.get(); }
  // Print Setup, after which printing stays in colour; false when the user cancelled.
  bool PrintSetupColour();
  int started = 0;
  int imageWindowCount = 0;
  HCURSOR cursors[2] = {};

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CommandState& state) override;

 protected:
  bool InitInstance() override;
  int ExitInstance(int exitCode) override;
  bool OnIdle(long count) override;
  bool PreviewMessage(MSG& message) override;
  bool PreTranslateMessage(MSG& message) override;

 private:
  void ParseCommandLine();
  void FindFolders();
  bool CheckDisplay();
  void OnAbout(UINT id);
  void OnPrintSetup(UINT id);
  void OnShellOptions(UINT id);
  void OnHotKeys(UINT id);
  void OnHelpTopic(UINT id);
  // The favourites commands; nothing while the favourites window does not exist.
  void OnFavorites(UINT id);
  static const CommandEntry<CVireldanApp> kCommands[];

  DdeServer dde_;
  PrinterDefaults printer_;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<CFavoritesDlg> favorites_;
};

extern CVireldanApp theApp;
