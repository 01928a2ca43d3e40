#include "cache_info_dlg.h"

#include <cstdio>

#include "resource.h"

namespace {

std::string Formatted(const char* format, int value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// The states the loader reports, in the user's words.
const char* StateText(TncStatus status) {
  switch (status) {
    case TncStatus::kNormal: return "Normal";
    case TncStatus::kNoFile: return "No File";
    case TncStatus::kLocked: return "Locked";
    case TncStatus::kReadOnly: return "Read Only";
    case TncStatus::kDisabled: return "Disabled";
    case TncStatus::kNewFile: return "New File";
    default: return "Error";
  }
}

}  // namespace

CCacheInfoDlg::CCacheInfoDlg(const TncInfo& info) : Dialog(IDD_CACHE_INFO), info_(info) {}

bool CCacheInfoDlg::OnInitDialog() {
  SetItemText(IDC_CACHE_STATE, StateText(info_.status));
  SetItemText(IDC_CACHE_ENTRIES, Formatted("%i thumbnail images", info_.entries));
  SetItemText(IDC_CACHE_SAME_SIZE, Formatted("%i correct size", info_.sameEdge));
  SetItemText(IDC_CACHE_HITS, Formatted("%i cache hits", info_.hits));
  SetItemText(IDC_CACHE_FILE_SIZE, Formatted("Cache file size: %iKb ", info_.fileSizeKB));
  return Dialog::OnInitDialog();
}
