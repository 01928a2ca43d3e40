#pragma once
// The program's side of a file transfer onto the folder tree: its questions as message boxes and
// the File collision dialog over the main window, with the progress window hidden while they are
// up; the progress window's Cancel button; shell shortcuts; and the keyword index, which hears of
// every file that arrived.
#include <windows.h>

#include <memory>

#include "progress_window.h"
#include "transfer_host.h"

// The progress window as a transfer sets it.
class ProgressWindowTexts : public TransferProgress {
 public:
  explicit ProgressWindowTexts(CProgressWnd& window) : window_(window) {}
  void SetTitle(const std::string& text) override { window_.SetTitle(text.c_str()); }
  void SetLine1(const std::string& text) override { window_.SetLine1(text.c_str()); }
  void SetLine2(const std::string& text) override { window_.SetLine2(text.c_str()); }
  void SetLines(const std::string& line1, const std::string& line2) override {
    window_.SetLines(line1.c_str(), line2.c_str());
  }
  void SetPos(int position, int range) override { window_.SetPos(position, range); }
  CProgressWnd& Window() { return window_; }

 private:
  CProgressWnd& window_;
};

class WindowTransferHost : public TransferHost {
 public:
  // owner: the main window; batchNames: the number of names dropped, which decides whether the
  // batch shows a progress window.
  WindowTransferHost(HWND owner, int batchNames);
  ~WindowTransferHost() override;

  // The batch's progress display, or none for a small batch.
  TransferProgress* BatchProgress();

  CollisionChoice AskCollision(const std::string& source, const std::string& target) override;
  bool AskYesNo(const std::string& question) override;
  void Tell(const std::string& message) override;
  bool CancelRequested() override;
  void ClearCancelRequest() override;
  TransferProgress* OpenFolderCopyProgress() override;
  void CloseFolderCopyProgress() override;
  bool CreateShortcut(const std::string& target, const std::string& shortcut) override;
  void FileMoved(const std::string& source, const std::string& target) override;
  void FileCopied(const std::string& source, const std::string& target) override;

 private:
  struct OwnedProgress;
  // Hides every progress window while the user is asked something.
  class ProgressHidden;
  static std::unique_ptr<OwnedProgress> MakeProgress(HWND owner);

  HWND owner_;
  std::unique_ptr<OwnedProgress> batch_, folderCopy_;
};
