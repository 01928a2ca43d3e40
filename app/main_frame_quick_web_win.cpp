// The main frame's part in Quick Web: the checks before the wizard, the output folder after it,
// the run's files and its worker, and the end of the run.
#include "app.h"
#include "app_settings.h"
#include "choose_dir_dlg.h"
#include "file_system.h"
#include "key_index.h"
#include "key_view_support.h"
#include "main_frame.h"
#include "name_forms.h"
#include "panes.h"
#include "quick_web_thread.h"
#include "quick_web_wizard.h"
#include "transfer_paths.h"

namespace {

const char kMissingFolderMessage[] =
    "The specified destination directory does not exist,\nis not a directory, or is read only.\n\nPlease choose an "
    "existing, writeable directory.";
const char kSameFolderQuestion[] =
    "The output directory is the same as the current directory\nThis can overwrite some of the image "
    "files!\n\nDo you want to select a new output directory";

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return text;
}

// The folder the user picks, starting from the output folder; empty when the user cancels.
std::string ChooseOutputFolder(HWND owner) {
  CChooseDirDlg choose(g_settings.quickWeb.savepath);
  return choose.DoModal(owner) == IDOK ? choose.path : std::string();
}

// Until the output folder is an existing folder other than the current one; false when the user
// gives up (a cancelled folder choice, or No or Cancel to choosing another folder).
bool SettleOutputFolder(HWND owner) {
  std::string& savepath = g_settings.quickWeb.savepath;
  const std::string current = Lower(CurrentDirectory());
  for (;;) {
    savepath = Lower(savepath);
    const bool same = IsSameFolder(platform::FullPathName(savepath), platform::FullPathName(current));
    if (!same && platform::KindOfPath(savepath) == platform::PathKind::kDirectory) return true;
    if (!same)
      ::MessageBoxA(owner, kMissingFolderMessage, MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
    else if (::MessageBoxA(owner, kSameFolderQuestion, MessageCaption(), MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES)
      return false;
    const std::string chosen = ChooseOutputFolder(owner);
    if (chosen.empty()) return false;
    savepath = chosen;
  }
}

}  // namespace

void CMainFrame::OnQuickWeb(UINT) {
  if (quickWebFileList_) {
    ::MessageBoxA(Handle(),
                  "There is already a Quick Web Generation process running.\nPlease wait for it to complete before "
                  "starting another.",
                  MessageCaption(), MB_OK);
    return;
  }
  const std::vector<std::string> selected = ThumbnailPanePaths(true);
  if (selected.size() < 2) {
    ::MessageBoxA(Handle(), "Select the images to include first.", MessageCaption(), MB_OK);
    return;
  }
  if (!RunQuickWebWizard(Handle()) || !SettleOutputFolder(Handle())) return;
  auto job = std::make_unique<QuickWebJob>();
  job->options = g_settings.quickWeb;
  for (const std::string& path : selected) {
    const size_t slash = path.find_last_of('\\');
    QuickWebSource source{path.substr(0, slash + 1), path.substr(slash + 1), ""};
    // Read here, on the thread that owns the key index, so that the worker never touches it.
    g_keyIndex.GetAnnotation(path, &source.annotation);
    job->sources.push_back(source);
  }
  quickWebFileList_ = std::move(job);
  if (!StartQuickWebThread(quickWebFileList_.get(), Handle())) {
    quickWebFileList_.reset();
    ::MessageBoxA(Handle(), "The web pages could not be started.", MessageCaption(), MB_OK | MB_ICONERROR);
  }
}

void CMainFrame::OnQuickWebDone() { quickWebFileList_.reset(); }

// A run still going when the program ends stops after its current picture; a run that does not
// end in time keeps its files, which it may still be reading.
void CMainFrame::LetQuickWebEnd() {
  if (quickWebFileList_ && !StopQuickWebThread(kWorkerEndWait)) static_cast<void>(quickWebFileList_.release());
}
