#pragma once
// What a file transfer needs from the program around it: the user's answers, the progress
// display, the cancel request, shortcuts, and the word that a file has arrived (so that the keys
// of the index follow it). The program's windows answer in the product; tests script the answers.
#include <string>

#include "collision_rules.h"

// The progress display's texts and bar, as the transfer sets them.
class TransferProgress {
 public:
  virtual ~TransferProgress() = default;
  virtual void SetTitle(const std::string& text) = 0;
  virtual void SetLine1(const std::string& text) = 0;
  virtual void SetLine2(const std::string& text) = 0;
  virtual void SetLines(const std::string& line1, const std::string& line2) = 0;
  virtual void SetPos(int position, int range) = 0;
};

class TransferHost {
 public:
  virtual ~TransferHost() = default;

  // The collision dialog for source (a full path) and the file of that name at target.
  virtual CollisionChoice AskCollision(const std::string& source, const std::string& target) = 0;
  // A Yes/No question; true for Yes.
  virtual bool AskYesNo(const std::string& question) = 0;
  virtual void Tell(const std::string& message) = 0;

  // The program-wide cancel request (the progress window's Cancel button).
  virtual bool CancelRequested() = 0;
  virtual void ClearCancelRequest() = 0;

  // The folder copy's display, made when the copy first goes below the top folder; closed at the
  // end of the copy.
  virtual TransferProgress* OpenFolderCopyProgress() = 0;
  virtual void CloseFolderCopyProgress() = 0;

  // False when the shortcut could not be made.
  virtual bool CreateShortcut(const std::string& target, const std::string& shortcut) = 0;

  // The file is at target now; called only for files that really arrived.
  virtual void FileMoved(const std::string& source, const std::string& target) = 0;
  virtual void FileCopied(const std::string& source, const std::string& target) = 0;
};
