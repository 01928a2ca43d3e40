#pragma once
// What a long walk of the keyword index over a folder tree asks of its caller: whether the user
// wants to stop (the Windows caller reads Escape and the cancel flag), and where a compile or a
// search has got to (the caller's progress window or status line shows it).
#include <string>

class KeyWalkObserver {
 public:
  virtual ~KeyWalkObserver() = default;
  virtual bool CancelRequested() { return false; }
  // position counts the entries of the folders compiled so far.
  virtual void CompileReached(int position, const std::string& folder) {
    (void)position;
    (void)folder;
  }
  // A search has opened the folder's index.
  virtual void SearchReached(const std::string& folder) { (void)folder; }
};
