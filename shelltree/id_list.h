#pragma once
// Shell item ID lists, each owned by exactly one IdList and freed through the shell's allocator
// when that goes away. COM must be initialised on the calling thread.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "com_ptr.h"

// The shell's allocator, fetched on first use and kept for the rest of the run; null when the
// shell has none.
IMalloc* GetShellAllocator();

class IdList {
 public:
  IdList() = default;
  explicit IdList(LPITEMIDLIST owned) : list_(owned) {}
  ~IdList() { Reset(); }
  IdList(const IdList&) = delete;
  IdList& operator=(const IdList&) = delete;
  IdList(IdList&& other) noexcept : list_(other.list_) { other.list_ = nullptr; }
  IdList& operator=(IdList&& other) noexcept;

  LPITEMIDLIST Get() const { return list_; }
  explicit operator bool() const { return list_ != nullptr; }
  // For functions that hand out a new list through a pointer argument.
  LPITEMIDLIST* Out();
  void Reset();

  // The first element of a list alone (its length plus the two-byte terminator).
  static IdList CopyFirstLevel(LPCITEMIDLIST list);
  // first followed by second (either may be none, meaning empty).
  static IdList Join(LPCITEMIDLIST first, LPCITEMIDLIST second);
  // The list of a special folder (CSIDL_...).
  static IdList OfSpecialFolder(int csidl);
  // A display name or path parsed by a folder; none when the folder cannot parse it (or it is
  // longer than the shell's 259 characters).
  static IdList Parse(IShellFolder* folder, const std::string& name);

 private:
  LPITEMIDLIST list_ = nullptr;
};

// The byte length of a list without its terminator (0 for none).
size_t IdListSize(LPCITEMIDLIST list);

// Whether a folder's own comparison (column 0) finds two of its relative lists the same; a
// failed comparison is no match.
bool SameIdList(IShellFolder* folder, LPCITEMIDLIST a, LPCITEMIDLIST b);

ComPtr<IShellFolder> DesktopFolder();
// A child folder of a folder; none when it cannot be bound.
ComPtr<IShellFolder> BindFolder(IShellFolder* parent, LPCITEMIDLIST relative);
