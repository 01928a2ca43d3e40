#include "window_transfer_host.h"

#include "app.h"
#include "drop_decisions.h"
#include "file_collision_dlg.h"
#include "key_index.h"
#include "shell_shortcuts.h"

namespace {

constexpr bool kHideBar = false;

}  // namespace

struct WindowTransferHost::OwnedProgress : ProgressWindowTexts {
  explicit OwnedProgress(HWND owner) : ProgressWindowTexts(window), window(owner, kHideBar) {}
  ~OwnedProgress() override { window.Close(); }
  CProgressWnd window;
};

class WindowTransferHost::ProgressHidden {
 public:
  explicit ProgressHidden(WindowTransferHost& host) : host_(host) { Show(false); }
  ~ProgressHidden() { Show(true); }

 private:
  void Show(bool show) {
    for (OwnedProgress* progress : {host_.batch_.get(), host_.folderCopy_.get()})
      if (progress) progress->window.Show(show);
  }
  WindowTransferHost& host_;
};

std::unique_ptr<WindowTransferHost::OwnedProgress> WindowTransferHost::MakeProgress(HWND owner) {
  return std::make_unique<OwnedProgress>(owner);
}

WindowTransferHost::WindowTransferHost(HWND owner, int batchNames) : owner_(owner) {
  if (batchNames > kNamesWithoutProgress) batch_ = MakeProgress(owner);
}

WindowTransferHost::~WindowTransferHost() = default;

TransferProgress* WindowTransferHost::BatchProgress() { return batch_.get(); }

CollisionChoice WindowTransferHost::AskCollision(const std::string& source, const std::string& target) {
  const ProgressHidden hidden(*this);
  CFileCollisionDlg dialog(source, target);
  dialog.DoModal(owner_);
  return dialog.choice;
}

bool WindowTransferHost::AskYesNo(const std::string& question) {
  const ProgressHidden hidden(*this);
  return ::MessageBoxA(owner_, question.c_str(), MessageCaption(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void WindowTransferHost::Tell(const std::string& message) {
  const ProgressHidden hidden(*this);
  ::MessageBoxA(owner_, message.c_str(), MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
}

bool WindowTransferHost::CancelRequested() { return g_bCancel != 0; }

void WindowTransferHost::ClearCancelRequest() { g_bCancel = 0; }

TransferProgress* WindowTransferHost::OpenFolderCopyProgress() {
  if (!folderCopy_) folderCopy_ = MakeProgress(owner_);
  return folderCopy_.get();
}

void WindowTransferHost::CloseFolderCopyProgress() { folderCopy_.reset(); }

bool WindowTransferHost::CreateShortcut(const std::string& target, const std::string& shortcut) {
  return SUCCEEDED(::CreateShortcut(target, shortcut, std::string()));
}

void WindowTransferHost::FileMoved(const std::string& source, const std::string& target) {
  g_keyIndex.MoveFileKeys(source, target);
}

void WindowTransferHost::FileCopied(const std::string& source, const std::string& target) {
  g_keyIndex.CopyFileKeys(source, target);
}
