// The main frame's commands: the toggles of settings, the panes, the image-window list, tips,
// and the commands whose work lies in parts of the program built later (they are in the menus
// and do nothing yet).
#include <windows.h>
#include <shellapi.h>

#include <algorithm>

#include "app.h"
#include "app_settings.h"
#include "command_ids.h"
#include "confirmations_dlg.h"
#include "controls_ps.h"
#include "exif_tips_dlg.h"
#include "fs_options_ps.h"
#include "full_screen_wnd.h"
#include "go_to_path_dlg.h"
#include "image_wnd.h"
#include "main_frame.h"
#include "panes.h"
#include "path_list.h"
#include "proc_address.h"
#include "program_help.h"
#include "program_state.h"
#include "tips.h"

namespace {

// Commands whose check mark shows one setting, and the setting; the toggles among them flip it.
struct Toggle {
  UINT id;
  int* (*setting)();
};

const Toggle kToggles[] = {
    {ID_ACCUMULATE_SELECTION, [] { return &g_settings.thumbnails.accumulate; }},
    {ID_SHOW_HIDDEN, [] { return &g_settings.thumbnails.showhidden; }},
    {ID_SHOW_LINKS, [] { return &g_settings.thumbnails.showlinks; }},
    {ID_FRAMES_ON_TOP, [] { return &g_settings.pictureFrames.ontop; }},
    {ID_DITHER_HICOLOR, [] { return &g_settings.fileOptions.dither16; }},
    {ID_RIGHT_EDGE_OPEN, [] { return &g_settings.mainOptions.rightopen; }},
    {ID_ANNOTATION_TIPS, [] { return &g_settings.thumbnails.annotations; }},
    {ID_FILE_INFO_TIPS, [] { return &g_settings.thumbnails.fileinfo; }},
    {ID_PREVIEW_WINDOW, [] { return &g_settings.frameLayout.preview_on; }},
    {ID_TIP_OF_THE_DAY, [] { return &g_settings.mainOptions.tipson; }},
    {ID_FLAT_TOOLBAR, [] { return &g_settings.preferences.flatbar; }},
    {ID_EXIF_TIPS, [] { return &g_settings.thumbnails.exif_tipsenable; }},
};

int* ToggledSetting(UINT id) {
  for (const Toggle& toggle : kToggles)
    if (toggle.id == id) return toggle.setting();
  return nullptr;
}

}  // namespace

const CommandEntry<CMainFrame> CMainFrame::kCommands[] = {
    {ID_ACCUMULATE_SELECTION, ID_ACCUMULATE_SELECTION, &CMainFrame::OnToggle, &CMainFrame::OnUpdateToggle},
    {ID_SHOW_HIDDEN, ID_SHOW_HIDDEN, &CMainFrame::OnToggle, &CMainFrame::OnUpdateToggle},
    {ID_SHOW_LINKS, ID_SHOW_LINKS, &CMainFrame::OnToggle, &CMainFrame::OnUpdateToggle},
    {ID_FRAMES_ON_TOP, ID_FRAMES_ON_TOP, &CMainFrame::OnToggle, &CMainFrame::OnUpdateToggle},
    {ID_DITHER_HICOLOR, ID_DITHER_HICOLOR, &CMainFrame::OnToggle, &CMainFrame::OnUpdateToggle},
    {ID_RIGHT_EDGE_OPEN, ID_RIGHT_EDGE_OPEN, &CMainFrame::OnToggle, &CMainFrame::OnUpdateToggle},
    {ID_ANNOTATION_TIPS, ID_ANNOTATION_TIPS, &CMainFrame::OnToggle, &CMainFrame::OnUpdateToggle},
    {ID_FILE_INFO_TIPS, ID_FILE_INFO_TIPS, &CMainFrame::OnToggle, &CMainFrame::OnUpdateToggle},
    {ID_PREVIEW_WINDOW, ID_PREVIEW_WINDOW, &CMainFrame::OnToggle, &CMainFrame::OnUpdateToggle},
    {ID_TIP_OF_THE_DAY, ID_TIP_OF_THE_DAY, &CMainFrame::OnToggle, &CMainFrame::OnUpdateToggle},
    {ID_FLAT_TOOLBAR, ID_FLAT_TOOLBAR, &CMainFrame::OnFlatToolbar, &CMainFrame::OnUpdateToggle},
    {ID_LEFT_PANE, ID_LEFT_PANE, &CMainFrame::OnWindowCommand, &CMainFrame::OnUpdateLeftPane},
    {ID_KEY_VIEW, ID_KEY_VIEW, &CMainFrame::OnKeyViewCommand, &CMainFrame::OnUpdateKeyView},
    {ID_KEY_VIEW_BUTTON, ID_KEY_VIEW_BUTTON, &CMainFrame::OnKeyViewCommand, &CMainFrame::OnUpdateKeyView},
    {ID_WINDOW_CLOSE_ALL, ID_WINDOW_CLOSE_ALL, &CMainFrame::OnWindowCommand, nullptr},
    {ID_WINDOW_CYCLE, ID_WINDOW_CYCLE, &CMainFrame::OnWindowCommand, nullptr},
    {ID_WINDOW_BACK, ID_WINDOW_BACK, &CMainFrame::OnWindowCommand, nullptr},
    {ID_WINDOW_FRONT, ID_WINDOW_FRONT, &CMainFrame::OnWindowCommand, nullptr},
    {ID_WINDOW_NEXT, ID_WINDOW_NEXT, &CMainFrame::OnWindowCommand, nullptr},
    {ID_WINDOW_PREV, ID_WINDOW_PREV, &CMainFrame::OnWindowCommand, nullptr},
    {ID_NEXT_TIP, ID_NEXT_TIP, &CMainFrame::OnShowTips, nullptr},
    {ID_APP_EXIT, ID_APP_EXIT, &CMainFrame::OnExit, nullptr},
    {ID_EXPLORE, ID_EXPLORE, &CMainFrame::OnExplore, nullptr},
    {ID_GO_HOME, ID_GO_HOME, &CMainFrame::OnHome, nullptr},
    {ID_PREVIOUS_DIR, ID_PREVIOUS_DIR, &CMainFrame::OnPreviousDir, nullptr},
    {ID_REFRESH, ID_REFRESH, &CMainFrame::OnRefresh, nullptr},
    {ID_REFRESH_RIGHT, ID_REFRESH_RIGHT, &CMainFrame::OnRefresh, nullptr},
    {ID_PREBUILDER, ID_PREBUILDER, &CMainFrame::OnPrebuilder, nullptr},
    {ID_EMAIL, ID_EMAIL, &CMainFrame::OnEmail, nullptr},
    {ID_TWAIN_ACQUIRE, ID_TWAIN_ACQUIRE, &CMainFrame::OnTwainCommand, &CMainFrame::OnUpdateTwainCommand},
    {ID_TWAIN_SOURCE, ID_TWAIN_SOURCE, &CMainFrame::OnTwainCommand, &CMainFrame::OnUpdateTwainCommand},
    {ID_TWAIN_DESTINATION, ID_TWAIN_DESTINATION, &CMainFrame::OnTwainCommand, &CMainFrame::OnUpdateTwainCommand},
    {ID_SELECT_ALL, ID_INVERT_SELECTION, &CMainFrame::OnThumbnailViewCommand, &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_RESELECT, ID_RESELECT, &CMainFrame::OnThumbnailViewCommand, &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_MOVE_IN_SLIDE_ORDER, ID_MOVE_IN_SLIDE_ORDER, &CMainFrame::OnThumbnailViewCommand,
     &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_ABORT_OPERATION, ID_ABORT_OPERATION, &CMainFrame::OnAbortOperation, nullptr},
    {ID_SLIDESHOW_PLAY, ID_SLIDESHOW_PLAY, &CMainFrame::OnSlideShowCommand, nullptr},
    {ID_SLIDESHOW_PAUSE, ID_SLIDESHOW_PAUSE, &CMainFrame::OnSlideShowCommand, nullptr},
    {ID_SLIDESHOW_NEXT, ID_SLIDESHOW_NEXT, &CMainFrame::OnSlideShowCommand, nullptr},
    {ID_SLIDESHOW_SETUP, ID_SLIDESHOW_SETUP, &CMainFrame::OnOptions, nullptr},
    {ID_TRANSITIONS, ID_TRANSITIONS, &CMainFrame::OnOptions, nullptr},
    {ID_CONTROL_PANEL, ID_CONTROL_PANEL, &CMainFrame::OnOptions, nullptr},
    {ID_CACHE_OPTIONS, ID_CACHE_OPTIONS, &CMainFrame::OnOptions, nullptr},
    {ID_FILE_OPTIONS, ID_FILE_OPTIONS, &CMainFrame::OnOptions, nullptr},
    {ID_SAVE_OPTIONS, ID_SAVE_OPTIONS, &CMainFrame::OnSaveOptions, nullptr},
    {ID_CONFIRMATIONS, ID_CONFIRMATIONS, &CMainFrame::OnConfirmations, nullptr},
    {ID_GO_TO, ID_GO_TO, &CMainFrame::OnGoTo, nullptr},
    {ID_EXIF_TIPS, ID_EXIF_TIPS, &CMainFrame::OnExifTips, &CMainFrame::OnUpdateToggle},
    {ID_BIGGER_THUMBNAILS, ID_SMALLER_THUMBNAILS, &CMainFrame::OnThumbnailViewCommand,
     &CMainFrame::OnUpdateThumbnailViewCommand},
    // The thumbnail view's file commands.
    {ID_DELETE_FILES, ID_DELETE_FILES, &CMainFrame::OnThumbnailViewCommand, nullptr},
    {ID_DELETE_KEY, ID_DELETE_KEY, &CMainFrame::OnThumbnailViewCommand, nullptr},
    {ID_RENAME_SELECTED, ID_RENAME_SELECTED, &CMainFrame::OnThumbnailViewCommand,
     &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_OPEN_SELECTED, ID_OPEN_SELECTED, &CMainFrame::OnThumbnailViewCommand, &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_OPEN_SELECTED_ONE_TO_ONE, ID_OPEN_SELECTED_ONE_TO_ONE, &CMainFrame::OnThumbnailViewCommand,
     &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_CACHE_PURGE, ID_CACHE_INFO, &CMainFrame::OnThumbnailViewCommand, &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_CACHE_SQUEEZE, ID_CACHE_SQUEEZE, &CMainFrame::OnThumbnailViewCommand,
     &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_CACHE_LOCK, ID_CACHE_LOCK, &CMainFrame::OnThumbnailViewCommand, &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_CREATE_INDEX, ID_CREATE_INDEX, &CMainFrame::OnThumbnailViewCommand, nullptr},
    {ID_CREATE_COLLAGE, ID_CREATE_COLLAGE, &CMainFrame::OnCreateCollage, nullptr},
    {ID_SUBFOLDER_CONTENTS, ID_SUBFOLDER_CONTENTS, &CMainFrame::OnThumbnailViewCommand,
     &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_AUTO_SORT, ID_AUTO_SORT, &CMainFrame::OnAutoSort, nullptr},
    // The thumbnail view's tools on the selected files, from its menu and the accelerators.
    {ID_COPY_FILENAME_HTML, ID_EDIT_ANNOTATION, &CMainFrame::OnThumbnailViewCommand,
     &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_SYNC_DATE_TO_EXIF, ID_SYNC_DATE_TO_EXIF, &CMainFrame::OnThumbnailViewCommand,
     &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_EXTRACT_AUDIO, ID_EXTRACT_AUDIO, &CMainFrame::OnThumbnailViewCommand, &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_LOSSLESS_CLOCKWISE, ID_LOSSLESS_COUNTERCLOCKWISE, &CMainFrame::OnThumbnailViewCommand,
     &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_LOSSLESS_180, ID_LOSSLESS_FLIP_HORIZONTAL, &CMainFrame::OnThumbnailViewCommand,
     &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_SELECT_LIKE_FILENAMES, ID_SELECT_LIKE_FILENAMES, &CMainFrame::OnThumbnailViewCommand,
     &CMainFrame::OnUpdateThumbnailViewCommand},
    // The user's Send To entries, from the view's context menu, which is tracked for the frame.
    {ID_SEND_TO_FIRST, ID_SEND_TO_LAST, &CMainFrame::OnThumbnailViewCommand, nullptr},
    {ID_FILE_OPEN, ID_FILE_OPEN, &CMainFrame::OnFileOpen, nullptr},
    {ID_FILE_OPEN_ONE_TO_ONE, ID_FILE_OPEN_ONE_TO_ONE, &CMainFrame::OnFileOpen, nullptr},
    {ID_FILE_SAVE_AS, ID_FILE_SAVE_AS, &CMainFrame::OnSaveAs, &CMainFrame::OnUpdateSaveAs},
    {ID_FILE_PRINT, ID_FILE_PRINT, &CMainFrame::OnPrint, &CMainFrame::OnUpdatePrint},
    {ID_TOOLBAR_PRINT, ID_TOOLBAR_PRINT, &CMainFrame::OnToolbarPrint, nullptr},
    {ID_PRINT_THUMBNAILS, ID_PRINT_THUMBNAILS, &CMainFrame::PrintThumbnails, nullptr},
    {ID_BATCH_PRINT, ID_BATCH_PRINT, &CMainFrame::OnBatchPrint, nullptr},
    {ID_BATCH_PROCESS, ID_BATCH_PROCESS, &CMainFrame::OnBatchProcess, nullptr},
    {ID_QUICK_WEB, ID_QUICK_WEB, &CMainFrame::OnQuickWeb, nullptr},
    {ID_SAVE_WALLPAPER, ID_SAVE_WALLPAPER, &CMainFrame::OnSaveWallpaper, &CMainFrame::OnUpdateSaveWallpaper},
    {ID_EDIT_COPY, ID_EDIT_CUT, &CMainFrame::OnThumbnailViewCommand, &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_EDIT_PASTE, ID_EDIT_PASTE, &CMainFrame::OnThumbnailViewCommand, &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_FILE_CUT, ID_FILE_PASTE, &CMainFrame::OnThumbnailViewCommand, &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_GO_TO_IMAGE_DIR, ID_GO_TO_IMAGE_DIR, &CMainFrame::OnThumbnailViewCommand,
     &CMainFrame::OnUpdateThumbnailViewCommand},
    {ID_KEY_AND, ID_KEY_AND, &CMainFrame::OnKeyFilter, &CMainFrame::OnUpdateKeyFilter},
    {ID_KEY_AND_NOT, ID_KEY_AND_NOT, &CMainFrame::OnKeyFilter, &CMainFrame::OnUpdateKeyFilter},
    {ID_HELP_FINDER, ID_HELP_FINDER, &CMainFrame::OnHelpCommand, nullptr},
    {ID_HELP_INDEX, ID_HELP_INDEX, &CMainFrame::OnHelpCommand, nullptr},
    {ID_CONTEXT_HELP, ID_HELP, &CMainFrame::OnHelpCommand, nullptr},
};

bool CMainFrame::Handles(UINT id) { return FindCommand(kCommands, id) != nullptr; }

// The folder tree's and the Key view's commands reach them from here when another pane has the
// focus (the Key view's context menu sends its commands here too).
bool CMainFrame::OnCommand(UINT id) {
  return RunCommand(this, kCommands, id) || RunFolderTreeCommand(id) || KeyPaneCommand(id);
}

bool CMainFrame::OnUpdateCommand(CommandState& state) {
  return UpdateCommand(this, kCommands, state) || UpdateFolderTreeCommand(state) || UpdateKeyPaneCommand(state);
}

void CMainFrame::OnToggle(UINT id) {
  int* setting = ToggledSetting(id);
  if (!setting) return;
  *setting = !*setting;
  if (id == ID_SHOW_HIDDEN || id == ID_SHOW_LINKS)
    ApplyFolderTreeOptions(g_settings.thumbnails.showhidden != 0, g_settings.thumbnails.showlinks != 0);
}

void CMainFrame::OnUpdateToggle(CommandState& state) {
  const int* setting = ToggledSetting(state.id);
  state.checked = setting && *setting;
}

void CMainFrame::OnFlatToolbar(UINT id) {
  OnToggle(id);
  Bar().SetFlat(g_settings.preferences.flatbar != 0);
}

void CMainFrame::OnUpdateLeftPane(CommandState& state) { state.checked = !outer_.hidden; }

void CMainFrame::OnKeyViewCommand(UINT) { ToggleKeyView(); }

void CMainFrame::OnUpdateKeyView(CommandState& state) { state.checked = KeyViewShown(); }

void CMainFrame::OnKeyFilter(UINT id) {
  if (const CKeyIndex::TreeItem key = KeyPaneSelection()) FilterThumbnailPaneByKey(key, id == ID_KEY_AND_NOT);
}

void CMainFrame::OnUpdateKeyFilter(CommandState& state) { state.enabled = KeyPaneSelection() != nullptr; }

void CMainFrame::OnWindowCommand(UINT id) {
  std::vector<HWND>& windows = imageWindows_;
  switch (id) {
    case ID_LEFT_PANE:
      ToggleLeftPane();
      break;
    case ID_WINDOW_CLOSE_ALL:
      if (CloseImageWindows()) ::BringWindowToTop(Handle());
      break;
    case ID_WINDOW_CYCLE:
    case ID_WINDOW_BACK:
      // Newest first, so the oldest ends in front.
      for (HWND window : std::vector<HWND>(windows)) ::BringWindowToTop(window);
      break;
    case ID_WINDOW_FRONT:
      ::BringWindowToTop(Handle());
      break;
    case ID_WINDOW_NEXT:
      if (windows.size() < 2) break;
      std::rotate(windows.begin(), windows.begin() + 1, windows.end());
      ::BringWindowToTop(windows.front());
      break;
    case ID_WINDOW_PREV:
      // With one window it is the last one as well: it comes to the top.
      if (windows.empty()) break;
      std::rotate(windows.rbegin(), windows.rbegin() + 1, windows.rend());
      ::BringWindowToTop(windows.front());
      break;
    default:
      break;
  }
}

void CMainFrame::OnShowTips(UINT) { ShowTips(Handle()); }

void CMainFrame::OnExit(UINT) { ::PostMessageA(Handle(), WM_CLOSE, 0, 0); }

void CMainFrame::OnExplore(UINT) {
  ::ShellExecuteA(Handle(), "open", g_program.currentFolder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CMainFrame::OnConfirmations(UINT) { CConfirmationsDlg().DoModal(Handle()); }

void CMainFrame::OnExifTips(UINT) { CExifTipsDlg().DoModal(Handle()); }

// Paths handed to and from the folder tree end without a backslash; the current folder has one.
// With a picture open, the user most likely wants to go near it.
void CMainFrame::OnGoTo(UINT) {
  std::string folder = g_program.currentFolder;
  if (const CImageWnd* window = FrontImageWindow()) {
    const std::string& path = window->FilePath();
    folder = path.substr(0, path.find_last_of('\\') + 1);
  }
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  CGoToPathDlg dialog(folder);
  if (dialog.DoModal(Handle()) != IDOK) return;
  SelectFolderInTree(dialog.path);
  g_settings.mainOptions.mainpath = dialog.path;
}

void CMainFrame::GoHome() { SelectFolderInTree(g_settings.fileOptions.homedirectory); }

void CMainFrame::OnHome(UINT) {
  if (::GetKeyState(VK_CONTROL) < 0) {
    char folder[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, folder);
    g_settings.fileOptions.homedirectory = folder;
    return;
  }
  GoHome();
}

// From search hits or a subfolder listing the way back is the folder itself, listed again.
void CMainFrame::OnPreviousDir(UINT) {
  if (ThumbnailPaneShowsPlainFolder()) {
    SelectFolderInTree(g_program.previousFolder);
    return;
  }
  ShowFolderInThumbnailPane(g_program.currentFolder);
  SetStatusText(g_program.currentFolder);
}

void CMainFrame::OnRefresh(UINT id) {
  ::SetCurrentDirectoryA(g_settings.mainOptions.mainpath.c_str());
  RefreshThumbnailPane();
  if (id == ID_REFRESH) RefreshFolderTree();
}

void CMainFrame::OnPrebuilder(UINT) {
  const std::string builder = g_program.programFolder + "\\thumbwell.exe";
  ::ShellExecuteA(nullptr, "open", builder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The mail library is loaded on first use; without it, or without its three entry points, the
// user is told each time.
void CMainFrame::OnEmail(UINT) {
  using Initialize = int (*)();
  if (!mailer_) {
    HMODULE library = ::LoadLibraryA("postlark.dll");
    const bool complete = library && ::GetProcAddress(library, "Postlark_Initialize") &&
                          ::GetProcAddress(library, "Postlark_NewEmailMessage") &&
                          ::GetProcAddress(library, "Postlark_HelpContext");
    if (!complete) {
      if (library) ::FreeLibrary(library);
      ::MessageBoxA(Handle(), "Unable to load mailer DLL", MessageCaption(), MB_OK | MB_ICONERROR);
      return;
    }
    mailer_ = library;
    ProcAddress<Initialize>(mailer_, "Postlark_Initialize")();
  }
  // The window copies the list. Its owner is the frame: a pop-up's owner is always a top-level
  // window, so the thumbnail view would give the same.
  using NewEmailMessage = HWND (*)(HWND, const char*);
  const std::vector<std::string> paths = ThumbnailPanePaths(true);
  const std::string list = DoubleNulList(paths);
  g_program.mailWindow = ProcAddress<NewEmailMessage>(mailer_, "Postlark_NewEmailMessage")(
      Handle(), paths.empty() ? nullptr : list.c_str());
}

// F1 asks an open message window for its topic first.
void CMainFrame::OnHelpCommand(UINT id) {
  if (id == ID_HELP_FINDER) return ShowHelp(Handle(), HELP_FINDER, 0);
  if (id == ID_HELP_INDEX) return ShowHelp(Handle(), HELP_INDEX, 0);
  using HelpContext = int (*)();
  const int mailContext = id == ID_HELP && mailer_ ? ProcAddress<HelpContext>(mailer_, "Postlark_HelpContext")() : 0;
  if (mailContext) return ShowHelp(Handle(), HELP_CONTEXT, DWORD(mailContext));
  ShowContextHelp(Handle());
}

void CMainFrame::OnOptions(UINT id) {
  int page = CControlsPS::s_startPage;
  if (id == ID_SLIDESHOW_SETUP) page = kOptionsSlideshowPage;
  if (id == ID_TRANSITIONS) page = kOptionsTransitionsPage;
  if (id == ID_FILE_OPTIONS) page = kOptionsSystemPage;
  if (id == ID_CACHE_OPTIONS) page = kOptionsCachePage;
  // Owned by the frame, the sheet keeps the user from closing the frame underneath it.
  CControlsPS(page, Handle()).DoModal();
  RegisterCaptureHotkey();
  ApplyThumbnailSizeInPane();
  RefreshThumbnailPane();
}

void CMainFrame::OnSaveOptions(UINT) { CFSoptionsPS(Handle(), kSavePageJpeg).DoModal(); }

// Commands of the thumbnail view also work while another pane has the focus.
void CMainFrame::OnThumbnailViewCommand(UINT id) { ThumbnailPaneCommand(id); }

void CMainFrame::OnUpdateThumbnailViewCommand(CommandState& state) { UpdateThumbnailPaneCommand(state); }

// The slideshow stops here too once it exists.
void CMainFrame::OnAbortOperation(UINT) {
  if (g_program.fullScreen) g_program.fullScreen->HideImage();
  ClearThumbnailOpenQueue();
  slideShow_.Stop();
}

void CMainFrame::OnUpdateDisabled(CommandState& state) { state.enabled = false; }
