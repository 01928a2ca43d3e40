#pragma once
// Thumbwell's one window: the folder tree, "Build cache" (which turns into "Stop!" while a build
// runs), the folder and file being worked on, and a preview of the last thumbnail.
#include <windows.h>

#include <string>

#include "cache_builder.h"
#include "dialog.h"
#include "shell_tree_ctrl.h"

// A WM_COPYDATA with this tag and a folder path selects that folder in the tree (non-zero when the
// folder itself was found): how a test drives the window without reading the tree's items across
// processes.
constexpr ULONG_PTR kSelectFolderCopyData = 0x54574C31;

class CThumbwellDlg : public Dialog, private CacheBuildObserver {
 public:
  CThumbwellDlg(const TncOptions& options, const std::string& desktopFolder);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void OnCancel() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void OnBuildCache();
  void SetRunning(bool running);
  void PumpMessages();
  void PaintIcon();

  void FolderStarted(const std::string& folder) override;
  void FileStarted(const std::string& name) override;
  void ThumbnailMade(Cimage& image) override;
  bool KeepGoing() override { return running_; }

  CShellTreeCtrl tree_;
  TncOptions options_;
  std::string desktopFolder_;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  bool running_ = false;
  bool closeAfterBuild_ = false;
};
