#include "clipboard_text.h"

#include <cstring>

namespace {

// Another program (a clipboard viewer, one pasting) holds the clipboard only for moments: it is
// asked again for a short while before giving up.
bool OpenClipboardWhenFree(HWND owner) {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (::OpenClipboard(owner)) return true;
    ::Sleep(10);
  }
  return false;
}

}  // namespace

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
  if (!OpenClipboardWhenFree(owner)) {
    ::GlobalFree(memory);
    return false;
  }
  // The memory belongs to the clipboard only once it has taken it.
  const bool stored = ::EmptyClipboard() && ::SetClipboardData(CF_TEXT, memory);
  ::CloseClipboard();
  if (!stored) ::GlobalFree(memory);
  return stored;
}
