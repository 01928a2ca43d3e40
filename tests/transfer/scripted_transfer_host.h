#pragma once
// A transfer host that answers from a script and records what the transfer asked, told and
// reported, for tests of the transfer loops on real files.
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "transfer_host.h"

class ScriptedTransferHost : public TransferHost, public TransferProgress {
 public:
  std::deque<CollisionChoice> collisionAnswers;
  std::deque<bool> yesNoAnswers;  // an unscripted question fails the test and answers No
  int cancelAfterArrivals = -1;   // the Cancel button, pressed once this many files arrived

  std::vector<std::string> collisionsAsked;  // "source -> target"
  std::vector<std::string> questions;
  std::vector<std::string> messages;
  std::vector<std::pair<std::string, std::string>> moved, copied;
  std::vector<std::string> progressLines;  // every line shown, in order
  int folderProgressOpened = 0, folderProgressClosed = 0;

  CollisionChoice AskCollision(const std::string& source, const std::string& target) override;
  bool AskYesNo(const std::string& question) override;
  void Tell(const std::string& message) override { messages.push_back(message); }
  bool CancelRequested() override;
  void ClearCancelRequest() override { cancelled_ = false; }
  TransferProgress* OpenFolderCopyProgress() override;
  void CloseFolderCopyProgress() override { ++folderProgressClosed; }
  // Writes a file holding "link to " and the target, as a stand-in for a shell link.
  bool CreateShortcut(const std::string& target, const std::string& shortcut) override;
  void FileMoved(const std::string& source, const std::string& target) override;
  void FileCopied(const std::string& source, const std::string& target) override;

  void SetTitle(const std::string& text) override { progressLines.push_back("title " + text); }
  void SetLine1(const std::string& text) override { progressLines.push_back("1 " + text); }
  void SetLine2(const std::string& text) override { progressLines.push_back("2 " + text); }
  void SetLines(const std::string& line1, const std::string& line2) override;
  void SetPos(int position, int range) override;

 private:
  bool cancelled_ = false;
};
