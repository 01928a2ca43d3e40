// The main frame's part in batch processing: it opens the one sheet, checks the destination
// before a run, starts the worker, shows its progress and forgets the run when it ends.
#include <memory>

#include "app.h"
#include "app_settings.h"
#include "batch_process_ps.h"
#include "batch_progress_dlg.h"
#include "batch_threads.h"
#include "main_frame.h"
#include "panes.h"

void CMainFrame::OnBatchProcess(UINT) {
  if (batchSheet_) return;
  auto sheet = std::make_unique<CBatchProcessPS>(BatchSheetHooks{ThumbnailPanePaths, RefreshFolderTree});
  if (!sheet->Create(Handle())) return;
  batchSheet_ = std::move(sheet);
}

void CMainFrame::OnBatchSheetClosed() { batchSheet_.reset(); }

void CMainFrame::OnBatchStart() {
  if (batchProgress_) {
    ::MessageBoxA(Handle(), "A batch process is already running", MessageCaption(), MB_OK);
    return;
  }
  auto job = std::make_unique<BatchJob>();
  job->recipe = BatchRecipe::FromSettings(g_settings);
  job->files = std::move(g_batchWorkList);
  g_batchWorkList.Clear();
  job->owner = Handle();
  const std::string problem = BatchDestinationProblem(job->recipe.folder);
  if (!problem.empty()) {
    ::MessageBoxA(Handle(), problem.c_str(), MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  auto progress = std::make_unique<CBatchProgressDlg>();
  if (!progress->CreateModeless(Handle())) return;
  progress->SetText("Initializing...");
  batchProgress_ = std::move(progress);
  if (!StartBatchProcessThread(job.release())) {
    OnBatchDone();
    ::MessageBoxA(Handle(), "The batch process could not be started.", MessageCaption(), MB_OK | MB_ICONERROR);
  }
}

void CMainFrame::OnBatchProgress(char* text) {
  if (batchProgress_ && text) batchProgress_->SetText(text);
  delete[] text;
}

void CMainFrame::OnBatchDone() {
  if (batchProgress_) batchProgress_->EndDialog(IDCANCEL);
  batchProgress_.reset();
}

// Closing the program stops a run at the end of its current step.
bool CMainFrame::LetBatchWorkersEnd() {
  if (batchSheet_) batchSheet_->Close();
  return StopBatchThreads(kWorkerEndWait);
}
