#pragma once
// The values the program sets up at start-up and many parts read: where things are, what the
// command line asked for, and the frame and panes that everything reaches.
#include <windows.h>

#include <string>

class CFrameLink;
class CDirTreeView;
class CVireldanView;
class CKeyView;
class CPreviewWnd;
class CFullScreenWnd;
class CFavoritesDlg;

struct ProgramState {
  // The command line: a folder or file to open, or "/p" and a file to print.
  std::string commandLinePath;
  int printFlag = 0;
  int openFolderFlag = 0;
  int openFileFlag = 0;

  // Start-up and DDE bookkeeping.
  int frameReady = 0;
  int firstIdle = 1;
  int noDdeYet = 1;
  int skipNextDde = 0;

  // Folders: no trailing backslash.
  std::string desktopFolder;
  std::string desktopFolderUpper;
  std::string programFolder;
  std::string screenSaverFile;  // program folder + "\vnsaver.scr"
  std::string screenSaverBase;  // program folder + "\vnsaver"
  std::string favoritesFile;    // program folder + "\favorites.txt"

  // The folder shown now and the one before it.
  std::string currentFolder;
  std::string previousFolder;
  // The current drive's type and volume name ("nameless" when it has none).
  UINT driveType = DRIVE_UNKNOWN;
  std::string volumeName;

  CFrameLink* mainFrame = nullptr;
  CDirTreeView* dirTree = nullptr;
  CVireldanView* thumbnailView = nullptr;
  CKeyView* keyView = nullptr;
  CPreviewWnd* preview = nullptr;
  CFullScreenWnd* fullScreen = nullptr;
  CFavoritesDlg* favorites = nullptr;
  HWND mailWindow = nullptr;
};

extern ProgramState g_program;
