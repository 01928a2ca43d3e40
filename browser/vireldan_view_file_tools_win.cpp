// The thumbnail view's tools on the selected files that change nothing but the files' own
// times, their annotations and the clipboard: names as HTML, annotations, file times from the
// camera's date and the sound memo written beside the picture.
#include <string>
#include <vector>

#include "Cimage.h"
#include "app.h"
#include "clipboard_text.h"
#include "command_ids.h"
#include "embedded_audio.h"
#include "exif_file_date.h"
#include "failure_list_text.h"
#include "file_system.h"
#include "filename_html.h"
#include "panes.h"
#include "text_entry_dlg.h"
#include "thumb_loader.h"
#include "thumb_schedule.h"
#include "vireldan_view.h"
#include "wait_cursor.h"

namespace {

bool KeyHeld(int key) { return ::GetKeyState(key) < 0; }

FilenameHtmlStyle StyleOfKeysHeld() {
  if (KeyHeld(VK_CONTROL)) return FilenameHtmlStyle::kImageTag;
  if (KeyHeld(VK_SHIFT)) return FilenameHtmlStyle::kThumbnailLink;
  if (KeyHeld(VK_MENU)) return FilenameHtmlStyle::kName;
  return FilenameHtmlStyle::kFullPath;
}

// The camera's local date as the system's time: the offset from UTC that held on that date, not
// today's.
bool LocalDateToSystemTime(const FILETIME& local, FILETIME* utc) {
  SYSTEMTIME localParts = {}, utcParts = {};
  return ::FileTimeToSystemTime(&local, &localParts) &&
         ::TzSpecificLocalTimeToSystemTime(nullptr, &localParts, &utcParts) &&
         ::SystemTimeToFileTime(&utcParts, utc);
}

uint64_t Ticks(const FILETIME& time) { return platform::FileTimeTicks(time); }

bool SetTimesFromExif(const std::string& path) {
  FILETIME local = {}, taken = {}, now = {};
  if (!ReadExifDate(path, &local) || !LocalDateToSystemTime(local, &taken)) return false;
  ::GetSystemTimeAsFileTime(&now);
  platform::FileTimes times;
  times.creation = Ticks(taken);
  times.lastWrite = Ticks(taken);
  times.lastAccess = Ticks(now);
  return platform::WriteFileTimes(path, times);
}

// Tells which files the command could not handle, when any.
void TellFailures(HWND owner, const std::string& heading, const std::vector<std::string>& failed) {
  const std::string text = FailureListText(heading, failed);
  if (text.empty()) return;
  ::MessageBoxA(owner, text.c_str(), MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

void CVireldanView::PauseLoaderForSelection() {
  if (loader_) loader_->SetSuspended(true);
  WaitForLoaderIdle();
  CancelTip();
  NoteCacheChange(items_.CountSelected());
}

void CVireldanView::ResumeLoader() {
  if (loader_) loader_->SetSuspended(false);
}

void CVireldanView::OnUpdateExactlyOneSelected(CommandState& state) { state.enabled = items_.CountSelected() == 1; }

void CVireldanView::OnUpdateAnySelected(CommandState& state) { state.enabled = items_.CountSelected() > 0; }

void CVireldanView::OnCopyFilenameHtml(UINT) {
  const CThumbItem* item = items_.GetFirstSelected();
  if (!item) return;
  FilenameHtmlSource file;
  file.folder = item->folder;
  file.name = item->name;
  file.loaded = item->thumbnail && item->thumbnail->m_valid;
  if (file.loaded) {
    file.width = item->thumbnail->m_origWidth;
    file.height = item->thumbnail->m_origHeight;
  }
  if (!PutTextOnClipboard(Handle(), FilenameHtml(file, StyleOfKeysHeld())))
    ::MessageBoxA(::GetAncestor(Handle(), GA_ROOT), "The clipboard could not take the text.", MessageCaption(),
                  MB_OK | MB_ICONEXCLAMATION);
}

void CVireldanView::OnEditAnnotation(UINT) {
  if (items_.CountSelected() != 1) return;
  const CThumbItem* item = items_.GetFirstSelected();
  const std::string path = item->folder + item->name;
  std::string annotation;
  g_keyIndex.GetAnnotation(path, &annotation);
  CTextEntryDlg dialog("Edit Annotation", annotation);
  if (dialog.DoModal(::GetAncestor(Handle(), GA_ROOT)) != IDOK) return;
  g_keyIndex.ClearWriteError();
  g_keyIndex.SetAnnotation(path, dialog.text);
  g_keyIndex.SaveFolder();
  if (g_keyIndex.WriteErrorOccurred())
    ::MessageBoxA(::GetAncestor(Handle(), GA_ROOT), kKeyIndexWriteErrorMessage, MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
}

void CVireldanView::OnGoToImageDir(UINT) {
  if (items_.CountSelected() != 1) return;
  // A file of search results or of a subfolder listing: the tree shows its own folder, which the
  // view then lists.
  SelectFolderInTree(items_.GetFirstSelected()->folder);
}

void CVireldanView::OnSyncDateToExif(UINT) {
  std::vector<std::string> failed;
  {
    WaitCursor wait;
    PauseLoaderForSelection();
    for (CThumbItem* item = items_.GetFirstSelected(); item; item = items_.GetNextSelected()) {
      const std::string path = item->folder + item->name;
      if (!SetTimesFromExif(path)) {
        failed.push_back(item->name);
        continue;
      }
      // The caption shows the new date; the next poll of the folder then finds nothing changed.
      StatThumbItem(*item, true);
    }
    ResumeLoader();
  }
  Redraw();
  TellFailures(::GetAncestor(Handle(), GA_ROOT), "No EXIF date could be given to:", failed);
}

void CVireldanView::OnExtractAudio(UINT) {
  std::vector<std::string> failed, present;
  {
    WaitCursor wait;
    for (CThumbItem* item = items_.GetFirstSelected(); item; item = items_.GetNextSelected()) {
      const int result = ExtractEmbeddedAudio(item->folder + item->name);
      if (result == 1) failed.push_back(item->name);
      if (result == -1) present.push_back(CompanionSoundPath(item->name));
    }
  }
  const HWND owner = ::GetAncestor(Handle(), GA_ROOT);
  TellFailures(owner, "The sound could not be extracted from:", failed);
  TellFailures(owner, "These sound files exist already and were kept:", present);
}
