#include "batch_progress_dlg.h"

#include "batch_threads.h"
#include "resource.h"

CBatchProgressDlg::CBatchProgressDlg() : Dialog(IDD_BATCH_PROGRESS) {}

void CBatchProgressDlg::SetText(const std::string& text) { SetItemText(IDC_BATCH_PROGRESS_TEXT, text); }

bool CBatchProgressDlg::OnInitDialog() {
  BatchAbortFlag = 0;
  return Dialog::OnInitDialog();
}

bool CBatchProgressDlg::OnCommand(int id, int code) {
  // Escape and the close box would end the window while the run goes on: they do nothing.
  if (id == IDCANCEL || id == IDOK) return true;
  if (id != IDC_BATCH_ABORT) return Dialog::OnCommand(id, code);
  BatchAbortFlag = 1;
  return true;
}
