#pragma once
// The shell's DDE conversation with a running program: "open %1" and "print %1" commands arrive
// for the application name and the "System" topic the file types register.
#include <windows.h>

#include <functional>
#include <string>

class DdeServer {
 public:
  DdeServer(std::string application, std::string topic);

  // Handles WM_DDE_INITIATE, WM_DDE_EXECUTE and WM_DDE_TERMINATE for the server window; every
  // command goes to onCommand, which says whether it was accepted.
  LRESULT Handle(HWND server, UINT message, WPARAM wParam, LPARAM lParam,
                 const std::function<bool(const std::string&)>& onCommand) const;

 private:
  std::string application_;
  std::string topic_;
};
