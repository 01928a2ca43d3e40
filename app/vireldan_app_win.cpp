#include "vireldan_app.h"

#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstdlib>
#include <ctime>

#include "Cimage.h"
#include "app_settings.h"
#include "ascii_text.h"
#include "command_line_path.h"
#include "file_tests.h"
#include "image_window_entry_points.h"
#include "key_index.h"
#include "low_color_dlg.h"
#include "panes.h"
#include "private_messages.h"
#include "program_profile.h"
#include "program_state.h"
#include "resource.h"
#include "shell_open.h"
#include "split_path.h"

CVireldanApp theApp;

namespace {

// The master key tree between sessions, beside the program.
std::string StartupKeyFilePath() { return g_program.programFolder + "\\" + kStartupKeyFileName; }

constexpr char kProgram[] = "Vireldan";

std::string ModuleFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder, name;
  SplitPath(path, folder, name);
  return folder;
}

}  // namespace

CVireldanApp::CVireldanApp() : dde_(kProgram, "System") {
  SetTitle(kProgram);
  Cimage::S_Initialize();
}

CVireldanApp::~CVireldanApp() { Cimage::S_UnInitialize(); }

// The path is made absolute before anything looks at it: a path the shell cannot take names
// nothing to open, and the remembered folder is shown instead.
void CVireldanApp::ParseCommandLine() {
  g_program.openFolderFlag = g_program.openFileFlag = g_program.printFlag = 0;
  const bool print = __argc >= 3 && (lstrcmpiA(__argv[1], "/p") == 0 || lstrcmpiA(__argv[1], "-p") == 0);
  const char* given = print ? __argv[2] : (__argc >= 2 ? __argv[1] : nullptr);
  if (!given) return;
  const std::string path = ShellReadyCommandLinePath(given);
  g_program.commandLinePath = path.empty() ? given : path;
  if (print) {
    g_program.printFlag = 1;
    return;
  }
  if (path.empty()) return;
  if (IsDirectory(path))
    g_program.openFolderFlag = 1;
  else if (IsPlainFile(path))
    g_program.openFileFlag = 1;
}

void CVireldanApp::FindFolders() {
  char desktop[MAX_PATH] = "C:\\windows\\desktop";
  LPITEMIDLIST list = nullptr;
  if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOPDIRECTORY, &list)) && list) {
    ::SHGetPathFromIDListA(list, desktop);
    ::CoTaskMemFree(list);
  }
  g_program.desktopFolder = desktop;
  g_program.desktopFolderUpper = platform::AsciiUpper(desktop);
  g_program.programFolder = ModuleFolder();
  g_program.screenSaverFile = g_program.programFolder + "\\vnsaver.scr";
  g_program.screenSaverBase = g_program.programFolder + "\\vnsaver";
  g_program.favoritesFile = g_program.programFolder + "\\favorites.txt";
}

// False when the user chose to leave rather than run on a 256-colour display.
bool CVireldanApp::CheckDisplay() {
  if (!Initialize_Palette())
    ::MessageBoxA(nullptr, "The currently configured video mode is not\nsupported. 256 colors or more are recommended",
                  MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
  if (Cimage::S_use_palette && !g_settings.mainOptions.dontwarn256) {
    CLowColorDlg advice;
    if (advice.DoModal(nullptr) != IDOK) return false;
  }
  return true;
}

bool CVireldanApp::InitInstance() {
  g_program.frameReady = 0;
  ParseCommandLine();
  FindFolders();
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  cursors[0] = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_CURSOR_DRAG));
  cursors[1] = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_CURSOR_ZOOM));
  SetProfile(OpenProgramProfile());
  g_settings.Load(GetProfile(), SettingsEnvironment{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                                                    g_program.programFolder});
  started = 1;
  g_program.currentFolder = g_program.previousFolder = g_settings.mainOptions.mainpath;
  g_keyIndex.LoadKeyTreeFile(StartupKeyFilePath());

  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  std::srand(now.dwLowDateTime);
  if (!CheckDisplay()) return false;
  if (FAILED(::OleInitialize(nullptr)))
    ::MessageBoxA(nullptr, "Error initializing OLE", MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
  if (printer_.Load()) printer_.ForceColour();

  frame_.reset(new CMainFrame);
  if (!frame_->Create()) return false;
  g_program.mainFrame = frame_.get();
  SetMainWindow(frame_->Handle());
  auto favorites = std::make_unique<CFavoritesDlg>();
  if (favorites->Create(frame_->Handle())) {
    favorites_ = std::move(favorites);
    g_program.favorites = favorites_.get();
    favorites_->Load(g_program.favoritesFile);
  }
  frame_->ActivateFrame(ShowCommand());
  return true;
}

bool CVireldanApp::OnIdle(long) {
  if (g_program.firstIdle) {
    g_program.firstIdle = 0;
    ::PostMessageA(FolderTreeWindow(), WM_TREE_STARTFOLDER, 0, 0);
    ::PostMessageA(MainWindow(), WM_SHOW_STARTUP_TIP, 0, 0);
    FocusThumbnailPane();
  }
  if (started && SlideshowIdleStep() == 0) ProcessThumbnailOpenQueue();
  if (frame_) frame_->UpdateControlBars();
  // A running show loads ahead and steps in idle passes of their own, not only after messages.
  return started && SlideshowWorkDue();
}

// An open scanner source sees every message first and keeps its own: its dialog's keys must not
// become the frame's accelerators.
bool CVireldanApp::PreviewMessage(MSG& message) { return frame_ && frame_->ProcessMessage(message); }

bool CVireldanApp::PreTranslateMessage(MSG& message) {
  if (message.message == WM_MODELESS_OPENED || message.message == WM_MODELESS_CLOSED) {
    g_program.mailWindow = message.message == WM_MODELESS_OPENED ? reinterpret_cast<HWND>(message.wParam) : nullptr;
    return true;
  }
  return g_program.mailWindow && ::IsDialogMessageA(g_program.mailWindow, &message);
}

int CVireldanApp::ExitInstance(int exitCode) {
  if (started && !g_keyIndex.SaveKeyTreeFile(StartupKeyFilePath()))
    ::MessageBoxA(nullptr, "The list of keys could not be saved: keys made in this session are not shown next time.",
                  MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
  // Now rather than at static destruction, while the settings that hide index files still live
  // and a failure can still be told.
  g_keyIndex.ClearWriteError();
  g_keyIndex.Clear();
  if (g_keyIndex.WriteErrorOccurred())
    ::MessageBoxA(nullptr, kKeyIndexWriteErrorMessage, MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
  if (started && !g_settings.Save(GetProfile()))
    ::MessageBoxA(nullptr, "The settings could not be saved: changes made in this session are lost.", MessageCaption(),
                  MB_OK | MB_ICONEXCLAMATION);
  g_program.favorites = nullptr;
  favorites_.reset();
  frame_.reset();
  ::OleUninitialize();
  return exitCode;
}

bool CVireldanApp::OnDDECommand(const std::string& command) {
  ShellFile file;
  switch (TakeDdeCommand(g_program, command, file)) {
    case DdeAction::kAccept: return true;
    case DdeAction::kRefuse: return false;
    case DdeAction::kOpen: OpenImageWindow(file.folder, file.name, 4, true); return true;
    case DdeAction::kPrint: frame_->QueuePrintImageFile(file.folder + file.name); return true;
  }
  return false;
}
