#include "clipboard_text.h"

#include <cstring>

bool PutTextOnClipboard(HWND owner, const std::string& text) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!memory) return false;
  void* bytes = ::GlobalLock(memory);
  if (!bytes) {
    ::GlobalFree(memory);
    return false;
  }
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  ::GlobalUnlock(memory);
  if (!::OpenClipboard(owner)) {
    ::GlobalFree(memory);
    return false;
  }
  // The memory belongs to the clipboard only once it has taken it.
  const bool stored = ::EmptyClipboard() && ::SetClipboardData(CF_TEXT, memory);
  ::CloseClipboard();
  if (!stored) ::GlobalFree(memory);
  return stored;
}
