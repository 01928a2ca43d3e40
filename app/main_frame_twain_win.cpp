// The main frame's side of scanning: its TWAIN connection, the three scanning commands, and where
// a scanned picture goes.
#include <windows.h>

#include <algorithm>
#include <string>

#include "Cimage.h"
#include "app.h"
#include "app_settings.h"
#include "command_ids.h"
#include "file_tests.h"
#include "image_window_entry_points.h"
#include "main_frame.h"
#include "panes.h"
#include "twain_dest_dlg.h"
#include "twain_file_name.h"
#include "wait_cursor.h"

void CMainFrame::OpenTwain() {
  if (!IsAvailable()) return;
  SetIdentity(5, 2, 13, 1, "Version 5.2", "Ashgrove Software", "Vireldan image browser", "Vireldan");
  SetParentWindow(Handle());
  OpenSourceManager(Handle());
}

// The commands are disabled unless the connection rests (state 3); an accelerator or a posted
// command must not reach a source that is open either.
void CMainFrame::OnTwainCommand(UINT id) {
  if (GetState() != 3) return;
  if (id == ID_TWAIN_SOURCE) {
    SelectSource(Handle());
  } else if (id == ID_TWAIN_ACQUIRE) {
    ::SetFocus(Handle());
    Acquire(Handle());
  } else {
    CTwainDestDlg().DoModal(Handle());
  }
}

void CMainFrame::OnUpdateTwainCommand(CommandState& state) { state.enabled = GetState() == 3; }

void CMainFrame::OnError(int) {
  ::MessageBoxA(Handle(), "A TWAIN error occurred.", MessageCaption(), MB_OK | MB_ICONINFORMATION);
}

void CMainFrame::OnImageReceived(HGLOBAL dib) {
  if (g_settings.twainDest.mode != 0) {
    SaveScannedPicture(dib);
    return;
  }
  OpenImageWindowFromDib(dib);
  ::GlobalFree(dib);
}

// A picture that cannot be written is not lost: the user is told and it opens in an image
// window, from where it can be saved elsewhere.
void CMainFrame::SaveScannedPicture(HGLOBAL dib) {
  WaitCursor wait;
  char folder[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, folder);
  std::string base = folder;
  if (base.empty() || base.back() != '\\') base += '\\';
  auto& destination = g_settings.twainDest;
  const std::string name = NextTwainFileName(destination.filename, destination.index, destination.format,
                                             [&](const std::string& candidate) {
                                               return IsPlainFile(base + candidate) || IsDirectory(base + candidate);
                                             });
  Cimage picture;
  picture.FromDIB(dib);
  ::GlobalFree(dib);
  if (name.empty()) {
    ::MessageBoxA(Handle(),
                  ("The scanned picture could not be saved: no file number from " +
                   std::to_string(std::min(destination.index, kTwainIndexMaximum)) + " to " +
                   std::to_string(kTwainIndexMaximum) +
                   " is free.\nChoose a lower next index with Select Destination. It is shown in a new window "
                   "instead.")
                      .c_str(),
                  MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
    OpenImageWindowFromImage(picture);
    return;
  }
  const std::string path = base + name;
  picture.SaveImage(path.c_str());
  if (picture.m_saveError) {
    ::MessageBoxA(Handle(), ("The scanned picture could not be saved as\n" + path + "\nIt is shown in a new window instead.").c_str(),
                  MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
    OpenImageWindowFromImage(picture);
    return;
  }
  RefreshThumbnailPane();
}
