#pragma once
// What a long walk of the keyword index over a folder tree asks of its caller: whether the user
// wants to stop (the Windows caller reads Escape and the cancel flag), and where a compile has got
// to (the caller's progress window shows it).
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
};
