#pragma once
// "Directory Properties": what a folder holds, and the free space of its drive.
#include <cstdint>
#include <string>

#include "dialog.h"
#include "folder_count.h"

class CDirPropertiesDlg : public Dialog {
 public:
  CDirPropertiesDlg(const std::string& path, const FolderCounts& counts, uint64_t available, uint64_t free);

 protected:
  bool OnInitDialog() override;

 private:
  std::string path_;
  FolderCounts counts_;
  uint64_t available_;
  uint64_t free_;
};
