// The program's entry: the application object does the rest.
#include <windows.h>

#include "vireldan_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int showCommand) {
  return theApp.Run(commandLine, showCommand);
}
