#pragma once
// What the folder tree keeps about one of its items: the shell's ID lists, names, attributes and
// icons of a folder (or of the screen-saver pseudo item). Each record owns its ID lists and frees
// them, once, when it is deleted. COM must be initialised on the calling thread.
#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>

#include "id_list.h"

class CShellItem {
 public:
  static constexpr int kTextSize = 260;
  // The attributes asked of the shell for every item; no other bits are kept.
  static constexpr ULONG kAttributeMask =
      SFGAO_HASSUBFOLDER | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_REMOVABLE | SFGAO_LINK;

  // The record of a folder from its list relative to the parent folder (taken over). With no
  // parent list the item is the desktop root. childOfRoot: the parent is the desktop, whose
  // children include My Computer and the Recycle Bin. None when the lists cannot be allocated.
  static std::unique_ptr<CShellItem> Make(IdList relative, LPCITEMIDLIST parentList, IShellFolder* parentFolder,
                                          bool childOfRoot);
  // The screen-saver pseudo item: no ID lists, the screen-saver folder as its path and the
  // screen-saver program's icon.
  static std::unique_ptr<CShellItem> MakeScreenSaver(const std::string& folder, const std::string& program);

  LPCITEMIDLIST Relative() const { return relative_.Get(); }
  LPCITEMIDLIST Absolute() const { return absolute_.Get(); }
  LPCITEMIDLIST LinkTarget() const { return linkTarget_.Get(); }
  // The list under which this folder's children are found: a folder shortcut's target, else its own.
  LPCITEMIDLIST ChildrenParentList() const { return IsFolderLink() ? LinkTarget() : Absolute(); }
  int NormalIcon() const { return normalIcon_; }
  int OpenIcon() const { return openIcon_; }
  const char* ParsePath() const { return parsePath_; }
  const char* DisplayName() const { return displayName_; }
  const char* LinkTargetPath() const { return linkTargetPath_; }
  ULONG Attributes() const { return attributes_; }
  bool IsScreenSaver() const { return screenSaverKind_ != 0; }
  bool IsMyComputer() const { return isMyComputer_; }
  bool IsRecycleBin() const { return isRecycleBin_; }
  bool IsLink() const { return isLink_; }
  bool IsFolderLink() const { return isLink_ && linkTargetIsFolder_ && linkTarget_; }
  bool IsRoot() const { return isRoot_; }

 private:
  CShellItem() = default;
  void MarkSpecialFolders(IShellFolder* desktop);
  void ReadNames(IShellFolder* parentFolder);
  void ReadAttributes(IShellFolder* parentFolder);
  void ReadLinkTarget();
  void ReadIcons();

  IdList relative_;
  IdList absolute_;
  IdList linkTarget_;
  int normalIcon_ = 0;
  int openIcon_ = 0;
  char parsePath_[kTextSize] = {};
  char displayName_[kTextSize] = {};
  char linkTargetPath_[kTextSize] = {};
  ULONG attributes_ = 0;
  int screenSaverKind_ = 0;
  bool isMyComputer_ = false;
  bool isRecycleBin_ = false;
  bool isLink_ = false;
  bool linkTargetIsFolder_ = false;
  bool isRoot_ = false;
};
