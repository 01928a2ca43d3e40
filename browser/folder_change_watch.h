#pragma once
// Watches one folder for files that are added, removed, renamed, resized or rewritten, and tells
// which names changed, so that the view relists only for changes that concern its listing (not
// for the side files it writes itself). Where the system cannot name the changes (Windows 95,
// 98 and Me), every change is reported without names.
#include <windows.h>

#include <string>
#include <vector>

class FolderChangeWatch {
 public:
  FolderChangeWatch() = default;
  ~FolderChangeWatch() { Close(); }
  FolderChangeWatch(const FolderChangeWatch&) = delete;
  FolderChangeWatch& operator=(const FolderChangeWatch&) = delete;

  // folder without a trailing backslash (a drive root keeps its own).
  bool Open(const std::string& folder);
  void Close();
  bool IsOpen() const { return directory_ != INVALID_HANDLE_VALUE || notification_ != INVALID_HANDLE_VALUE; }
  // True when something changed since the last call, without waiting; names are the changed
  // names relative to the folder, empty when the system did not say. Watching goes on.
  bool Poll(std::vector<std::string>& names);

 private:
  bool Arm();

  HANDLE directory_ = INVALID_HANDLE_VALUE;     // with named changes
  HANDLE notification_ = INVALID_HANDLE_VALUE;  // without
  HANDLE event_ = nullptr;
  OVERLAPPED overlapped_ = {};
  DWORD buffer_[16384] = {};  // FILE_NOTIFY_INFORMATION records, DWORD-aligned
};
