#include "clipboard_copy.h"

#include <cstring>
#include <vector>

#include "clipboard_dib.h"
#include "global_memory.h"

namespace {

// Movable memory holding the bytes, as the clipboard takes it; null when none could be had.
HGLOBAL GlobalCopy(const std::vector<uint8_t>& bytes) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return nullptr;
  GlobalLockScope lock(memory);
  if (!lock.data()) {
    ::GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(lock.data(), bytes.data(), bytes.size());
  return memory;
}

}  // namespace

bool CopyPictureToClipboard(HWND owner, const Cimage& picture) {
  const std::vector<uint8_t> dib = PackedDibOf(picture);
  if (dib.empty() || !::OpenClipboard(owner)) return false;
  ::EmptyClipboard();
  HGLOBAL memory = GlobalCopy(dib);
  // The clipboard owns the memory once it has taken it.
  const bool taken = memory && ::SetClipboardData(CF_DIB, memory);
  if (memory && !taken) ::GlobalFree(memory);
  ::CloseClipboard();
  return taken;
}
