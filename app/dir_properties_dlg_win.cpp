#include "dir_properties_dlg.h"

#include "folder_size_text.h"
#include "resource.h"

CDirPropertiesDlg::CDirPropertiesDlg(const std::string& path, const FolderCounts& counts, uint64_t available,
                                     uint64_t free)
    : Dialog(IDD_DIR_PROPERTIES), path_(path), counts_(counts), available_(available), free_(free) {}

bool CDirPropertiesDlg::OnInitDialog() {
  SetItemText(IDC_FOLDER_PATH, path_);
  SetItemText(IDC_PROPERTIES_FOLDERS, std::to_string(counts_.folders) + " Directories");
  SetItemText(IDC_PROPERTIES_FILES, std::to_string(counts_.files) + " Files");
  SetItemText(IDC_PROPERTIES_TOTAL, FormatByteCount(counts_.bytes) + "total files");
  SetItemText(IDC_PROPERTIES_AVAILABLE, FormatByteCount(available_) + "available on this drive");
  SetItemText(IDC_PROPERTIES_FREE, FormatByteCount(free_) + "free on this drive");
  return Dialog::OnInitDialog();
}
