#pragma once
// A top-level frame: menu and accelerators, a toolbar and a status bar with command prompts and
// tool tips, and one client window (a view or a splitter) between them. Commands go to the
// active view, then the frame, then the application; menus and toolbar buttons are enabled and
// checked as that route says.
#include <windows.h>

#include <string>

#include "command_routing.h"
#include "status_bar.h"
#include "tool_bar.h"
#include "view.h"
#include "window.h"

class FrameWindow : public Window, public CommandTarget {
 public:
  static constexpr UINT kToolBarId = 0xE800;
  static constexpr UINT kStatusBarId = 0xE801;

  // Creates the window with the menu and accelerators of the given resources (0 for none);
  // OnCreateFrame then builds the bars and the client.
  bool CreateFrame(const char* title, DWORD style, DWORD exStyle, const RECT& area, int menuId, int acceleratorsId,
                   HICON icon);

  ToolBar& Bar() { return toolBar_; }
  StatusBar& Status() { return statusBar_; }
  void SetClient(HWND client) { client_ = client; }
  HWND Client() const { return client_; }
  void RecalcLayout();

  void SetActiveView(View* view) { activeView_ = view; }
  View* ActiveView() const { return activeView_; }

  // The command route: active view, this frame, the application.
  bool RouteCommand(UINT id);
  bool RouteUpdate(CommandState& state);
  // Enables and checks the toolbar's buttons (called at idle).
  void UpdateControlBars();

  bool PreTranslateMessage(MSG& message) override;

 protected:
  // Builds the bars and the client after the window exists; false ends the creation.
  virtual bool OnCreateFrame() { return true; }
  virtual void OnClose() { Destroy(); }
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void UpdateMenu(HMENU menu);
  void ShowPrompt(UINT id, UINT flags, HMENU menu);

  ToolBar toolBar_;
  StatusBar statusBar_;
  HWND client_ = nullptr;
  View* activeView_ = nullptr;
  HACCEL accelerators_ = nullptr;
};
