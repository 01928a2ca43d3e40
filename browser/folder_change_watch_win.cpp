#include "folder_change_watch.h"

#include <cstddef>

namespace {

constexpr DWORD kWatchedChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

std::string Narrow(const WCHAR* text, int length) {
  const int size = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string narrow(size_t(size > 0 ? size : 0), '\0');
  if (size > 0) ::WideCharToMultiByte(CP_ACP, 0, text, length, &narrow[0], size, nullptr, nullptr);
  return narrow;
}

}  // namespace

bool FolderChangeWatch::Open(const std::string& folder) {
  Close();
  directory_ = ::CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
  if (directory_ != INVALID_HANDLE_VALUE) {
    event_ = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (event_ && Arm()) return true;
    Close();
  }
  // Without named changes: any change in the folder tree counts.
  notification_ = ::FindFirstChangeNotificationA(folder.c_str(), TRUE, kWatchedChanges);
  return notification_ != INVALID_HANDLE_VALUE;
}

bool FolderChangeWatch::Arm() {
  overlapped_ = OVERLAPPED();
  overlapped_.hEvent = event_;
  ::ResetEvent(event_);
  return ::ReadDirectoryChangesW(directory_, buffer_, sizeof buffer_, FALSE, kWatchedChanges, nullptr, &overlapped_,
                                 nullptr) != 0;
}

void FolderChangeWatch::Close() {
  if (directory_ != INVALID_HANDLE_VALUE) {
    // The system writes into buffer_ until the read has ended.
    DWORD ignored = 0;
    if (::CancelIo(directory_) && event_) ::GetOverlappedResult(directory_, &overlapped_, &ignored, TRUE);
    ::CloseHandle(directory_);
    directory_ = INVALID_HANDLE_VALUE;
  }
  if (event_) ::CloseHandle(event_);
  event_ = nullptr;
  if (notification_ != INVALID_HANDLE_VALUE) ::FindCloseChangeNotification(notification_);
  notification_ = INVALID_HANDLE_VALUE;
}

bool FolderChangeWatch::Poll(std::vector<std::string>& names) {
  names.clear();
  if (notification_ != INVALID_HANDLE_VALUE) {
    if (::WaitForSingleObject(notification_, 0) != WAIT_OBJECT_0) return false;
    ::FindNextChangeNotification(notification_);
    return true;
  }
  if (directory_ == INVALID_HANDLE_VALUE || ::WaitForSingleObject(event_, 0) != WAIT_OBJECT_0) return false;
  DWORD bytes = 0;
  const bool read = ::GetOverlappedResult(directory_, &overlapped_, &bytes, FALSE) != 0;
  // Zero bytes: more changes than the buffer holds, names lost.
  for (DWORD offset = 0; read && bytes >= sizeof(FILE_NOTIFY_INFORMATION) && offset + sizeof(FILE_NOTIFY_INFORMATION) <= bytes;) {
    const auto* record = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(reinterpret_cast<const char*>(buffer_) + offset);
    const DWORD nameBytes = record->FileNameLength;
    if (offset + offsetof(FILE_NOTIFY_INFORMATION, FileName) + nameBytes > bytes) break;
    names.push_back(Narrow(record->FileName, int(nameBytes / sizeof(WCHAR))));
    if (record->NextEntryOffset == 0) break;
    offset += record->NextEntryOffset;
  }
  if (!Arm()) {
    // The folder went away or cannot be watched any more: report once, then stay quiet.
    ::CloseHandle(directory_);
    directory_ = INVALID_HANDLE_VALUE;
    names.clear();
  }
  return true;
}
