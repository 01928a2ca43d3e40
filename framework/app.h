#pragma once
// The application object: start-up and exit hooks around the user-interface thread's message
// loop, idle processing, and the profile that holds the settings.
#include <windows.h>

#include <memory>
#include <string>

#include "command_routing.h"
#include "message_loop.h"
#include "profile.h"

// Commands nobody else took end here (OnCommand / OnUpdateCommand).
class App : public CommandTarget {
 public:
  App();
  virtual ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  static App* Instance();

  // InitInstance, the message loop (when it returned true), ExitInstance; the exit code.
  int Run(const std::string& commandLine, int showCommand);

  const std::string& CommandLine() const { return commandLine_; }
  int ShowCommand() const { return showCommand_; }

  Profile& GetProfile();
  void SetProfile(std::unique_ptr<Profile> profile);

  // The program's name, the caption of its message boxes.
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }

  HWND MainWindow() const { return mainWindow_; }
  void SetMainWindow(HWND hwnd) { mainWindow_ = hwnd; }

 protected:
  virtual bool InitInstance() { return true; }
  virtual int ExitInstance(int exitCode) { return exitCode; }
  // Called while the queue is empty, with a count that restarts after real activity; return
  // true to be called again before the next message.
  virtual bool OnIdle(long count);
  // Offered every message that any loop of the user-interface thread takes from its queue (also
  // under a message box or a dialog, and messages posted to the thread), before anything else
  // sees it; true when consumed.
  virtual bool PreviewMessage(MSG&) { return false; }
  // Offered every message after the windows' own pre-translation; true when consumed.
  virtual bool PreTranslateMessage(MSG& message);
  virtual void OnThreadMessage(const MSG&) {}

 private:
  std::string commandLine_;
  std::string title_;
  int showCommand_ = SW_SHOWNORMAL;
  std::unique_ptr<Profile> profile_;
  HWND mainWindow_ = nullptr;
  MessageLoop loop_;
};

// The caption for the program's message boxes: its title, or the system's default before there is one.
const char* MessageCaption();
